// The station's item files (UP.Sxx, LT0001.Sxx) as a sequence of items.
//
// An item ends at a comma or at a line end (CR LF, LF or a lone CR); neither
// is part of it. Blanks are kept, so the fixed slots of UP.Sxx keep their
// positions; callers trim where they compare. A comma always ends an item
// and opens the next, so "A,,B" holds an empty item and "A," ends with one;
// an empty line adds none.
//
// Thread-safety: stateless; any thread.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

namespace vtx::client {

// The items of Windows-1252 text.
QStringList splitItems(std::string_view bytes);

// The items of the file at `path` (Windows-style or native, found without
// regard to case). When the file cannot be read, `faultNumber` and
// `faultDescription` hold the run-time error the client reports through
// TrataErro, and `items` is empty.
struct ItemsRead {
    QStringList items;
    std::optional<int> faultNumber;
    QString faultDescription;
};
ItemsRead readItems(const QString& path);

}  // namespace vtx::client

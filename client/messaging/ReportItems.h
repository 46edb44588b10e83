// The items of a report file: the station's delimited items (a comma or a
// line end ends an item, so a record line "a,b," gives "a", "b" and an empty
// last item), with lines of blanks left out — such a line would read as an
// empty item and end a row early.
//
// Thread-safety: pure function.
#pragma once

#include <QStringList>
#include <string_view>

namespace vtx::client {

// `bytes`: the file's Windows-1252 text.
QStringList reportItems(std::string_view bytes);

}  // namespace vtx::client

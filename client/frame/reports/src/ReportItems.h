// The items of a report file as the delimited-item reader gives them: a
// comma or a line end ends an item, so a record line "a,b," gives "a", "b"
// and an empty last item. Blank lines give no item.
//
// Thread-safety: pure function.
#pragma once

#include <QString>
#include <QStringList>

namespace vtx::client::reports {

QStringList reportItems(const QString& text);

}  // namespace vtx::client::reports

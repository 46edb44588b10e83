#include "ReportItems.h"

#include <QRegularExpression>

namespace vtx::client::reports {

QStringList reportItems(const QString& text) {
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList items;
    for (const QString& line : text.split(kLineEnd)) {
        // A blank line would otherwise read as an empty item and end a row.
        if (line.trimmed().isEmpty()) continue;
        items += line.split(u',');
    }
    return items;
}

}  // namespace vtx::client::reports

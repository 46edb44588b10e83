#include "messaging/ReportCell.h"

#include <cmath>

#include "core/IniAccess.h"
#include "core/NumericText.h"
#include "messaging/Amounts.h"

namespace vtx::client {
namespace {

constexpr int kDateTimeLength = 13;

// A number as the station shows it: no decimals when whole, else a decimal
// comma.
QString numberText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 15).replace(u'.', kDecimalSeparator);
}

QString dateText(const QString& item) {
    QString text = item.mid(1, 2) + u'/' + item.mid(3, 2) + u'/' + item.mid(5, 2);
    if (item.size() == kDateTimeLength)
        text += u' ' + item.mid(7, 2) + u':' + item.mid(9, 2) + u':' + item.mid(11, 2);
    return text;
}

}  // namespace

ReportCell reportCell(const QString& item) {
    ReportCell cell;
    const QString content = item.mid(1);
    cell.known = true;
    switch (item.isEmpty() ? u'\0' : item.at(0).unicode()) {
        case u'A':
            cell.text = trimBlanks(content);
            break;
        case u'N':
            cell.text = numberText(valueOf(content));
            cell.alignment = GridModel::Alignment::Right;
            break;
        case u'M':
            cell.text = formatAmount(valueOf(content) / 100.0);
            cell.alignment = GridModel::Alignment::Right;
            break;
        case u'D':
            cell.text = dateText(item);
            break;
        default:
            cell.known = false;
    }
    return cell;
}

}  // namespace vtx::client

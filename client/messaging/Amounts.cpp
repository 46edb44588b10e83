#include "messaging/Amounts.h"

#include <cmath>

#include "field/LeadingNumber.h"

namespace vtx::client {

std::optional<double> amountValue(QStringView text) {
    QString t = text.trimmed().toString();
    if (t.isEmpty()) return 0.0;
    if (t.contains(kDecimalSeparator)) {
        t.remove(u'.');
        t.replace(kDecimalSeparator, u'.');
    } else if (t.count(u'.') > 1) {
        const qsizetype last = t.lastIndexOf(u'.');
        t = t.left(last).remove(u'.') + t.mid(last);
    }
    bool ok = false;
    double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<qint64> amountCents(QStringView text) {
    auto value = amountValue(text);
    if (!value || std::fabs(*value) > 9e15) return std::nullopt;
    return static_cast<qint64>(std::llround(*value * 100.0));
}

std::optional<QString> centsField(QStringView amount) {
    auto cents = amountCents(amount);
    if (!cents) return std::nullopt;
    if (*cents < 0) return QStringLiteral("-") + QString::number(-*cents).rightJustified(6, u'0');
    return QString::number(*cents).rightJustified(7, u'0');
}

QString formatAmount(double value) {
    QString text = QString::number(value, 'f', 2);
    text.replace(u'.', kDecimalSeparator);
    return text;
}

QString centsToAmount(QStringView cents) {
    return formatAmount(static_cast<double>(leadingNumber(cents)) / 100.0);
}

}  // namespace vtx::client

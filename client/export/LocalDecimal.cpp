#include "export/LocalDecimal.h"

namespace vtx::client {

namespace {

constexpr int kMaxIntegerDigits = 9;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<qint64> parseHundredths(QStringView text, QChar decimalSeparator) {
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 units = 0;
    int integerDigits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++integerDigits) {
        if (integerDigits == kMaxIntegerDigits) return std::nullopt;
        units = units * 10 + (text[i].unicode() - u'0');
    }
    qint64 cents = 0;
    int decimals = 0;
    if (i < text.size() && text[i] == decimalSeparator) {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++decimals) {
            const int digit = text[i].unicode() - u'0';
            if (decimals < 2) cents = cents * 10 + digit;
            if (decimals == 2 && digit >= 5) ++cents;
        }
    }
    if (i != text.size() || integerDigits + decimals == 0) return std::nullopt;
    if (decimals == 1) cents *= 10;
    const qint64 value = units * 100 + cents;
    return negative ? -value : value;
}

qint64 roundToUnits(qint64 hundredths) {
    return (hundredths + 50) / 100;
}

QString formatAmount(qint64 hundredths, QChar decimalSeparator) {
    return zeroPadded(hundredths / 100, 7) + decimalSeparator + zeroPadded(hundredths % 100, 2);
}

QString zeroPadded(qint64 value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QChar(u'0'));
}

}  // namespace vtx::client

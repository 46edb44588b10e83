#include "core/NumericText.h"

#include <cmath>
#include <limits>

namespace vtx::client {
namespace {

bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Cursor over the text that steps over the characters valueOf() ignores.
class Scanner {
public:
    explicit Scanner(QStringView text) : text_(text) { skip(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_[pos_]; }
    void next() {
        ++pos_;
        skip();
    }

private:
    void skip() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) ++pos_;
    }
    QStringView text_;
    qsizetype pos_ = 0;
};

template <typename Int>
std::optional<Int> roundTo(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);  // default rounding: half to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double valueOf(QStringView text) {
    Scanner in(text);
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }
    double mantissa = 0;
    int scale = 0;
    bool fraction = false;
    while (!in.atEnd()) {
        QChar c = in.peek();
        if (isDigit(c)) {
            mantissa = mantissa * 10 + (c.unicode() - u'0');
            if (fraction) --scale;
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
        in.next();
    }
    QChar e = in.peek().toUpper();
    if (e == u'E' || e == u'D') {
        in.next();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.next();
        }
        int exponent = 0;
        // Bounded: beyond 400 the result is already 0 or infinite.
        while (isDigit(in.peek())) {
            if (exponent < 400) exponent = exponent * 10 + (in.peek().unicode() - u'0');
            in.next();
        }
        scale += negativeExponent ? -exponent : exponent;
    }
    double value = mantissa * std::pow(10.0, scale);
    return negative ? -value : value;
}

std::optional<qint16> toInt16(double value) {
    return roundTo<qint16>(value);
}

std::optional<qint32> toInt32(double value) {
    return roundTo<qint32>(value);
}

}  // namespace vtx::client

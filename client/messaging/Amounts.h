// Amounts as the client holds and sends them. Screens and product lists keep
// decimal texts in the station's format ("12,50": decimal comma); requests
// carry whole cents in 7 digits ("0001250"); answers carry whole cents that
// are shown as "12,50" again.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace vtx::client {

inline constexpr QChar kDecimalSeparator = u',';

// The value of a local amount text: a decimal comma; dots before it group
// thousands ("1.234,50"); a text with dots only and no comma reads the last
// dot as the decimal point ("12.50"). Blanks around it are ignored; an empty
// text is 0. nullopt when it is not a number.
std::optional<double> amountValue(QStringView text);

// Whole cents of a local amount, rounded ("12,5" gives 1250); nullopt when the
// text is not a number.
std::optional<qint64> amountCents(QStringView text);

// The 7-digit cents field of a request ("0001250"); nullopt when the text is
// not a number.
std::optional<QString> centsField(QStringView amount);

// Cents of an answer shown as a local amount: "1250" gives "12,50"; a
// non-numeric text counts as 0 ("0,00").
QString centsToAmount(QStringView cents);

// A value shown as a local amount with two decimals ("0,00" format).
QString formatAmount(double value);

}  // namespace vtx::client

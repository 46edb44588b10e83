// Small helpers shared by the request builders: adding a field with its
// fault reported, the item keys, and the formats of codes and amounts.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <optional>

#include "core/ClientSession.h"

namespace vtx::client::detail {

// A builder's run-time fault: the procedure to report it under is the
// builder's, the text "<number> - <description>".
struct BuilderFault {
    int number;
    QString description;
};

// Adds a field; a fault of the message is reported under "AdicionaCampo" and
// the field is lost, as a full message loses it.
void add(ClientSession& session, const QString& key, const QString& value);

// "GGG-iii" for item `index` (0-based) of group `group`.
QString itemKey(const char* group, int index);

// A number written with `digits` digits, zero-filled ("Format(x, "000")"):
// the numeric value of the text; a text that is not a number is kept as it
// is, as the format of a non-numeric text leaves it.
QString zeroFilled(const QString& text, int digits);

// The 7-digit cents field of an amount; throws BuilderFault 13 (type
// mismatch) when the text is not a number.
QString cents7(const QString& amount);

// Reports `fault` under `procedure` and returns false.
bool reportFault(ClientSession& session, const QString& procedure, const BuilderFault& fault);

// Shows the error text of a failed exchange, unless it was reported already.
void showExchangeError(ClientSession& session, int result);

}  // namespace vtx::client::detail

// CardRules: the checks of the card screen below its widgets — the card
// entry (ValidaCartao), the card and the identification fields before a
// flow starts (ValidaIdentificacao), and what a PIN pad read result tells
// the operator. Each check answers with the message box the screen shows
// (title "Login", OK) and the box the focus goes back to, or with nothing
// when the entry passes.
//
// Two numeric tests: a typed card must be digits only (none of the
// characters . , * / - + E D that a general number would let through);
// the identification fields, and the card in the flow's check, take the
// plain numeric test (sign, decimal separator and exponent allowed, blanks
// around).
//
// Thread-safety: pure functions.
#pragma once

#include <QString>
#include <array>

#include "core/CaptionTable.h"

namespace vtx::client {

// The box a refused entry sends the focus back to.
enum class CardBox { Cartao, Campo1, Campo2 };

struct CardCheck {
    QString message;  // empty: the entry passes
    CardBox focus = CardBox::Cartao;

    bool passed() const { return message.isEmpty(); }
};

// One identification field as typed, with the rule of the chosen
// administrator.
struct IdentificationEntry {
    bool asked = false;  // the administrator's kind is not blank
    qint16 minLength = 0;
    QString text;  // as typed (the check trims it)
};

// Digits only, nothing else once the blanks around are trimmed; "" is not.
bool cartaoNumerico(const QString& text);

// A number with an optional sign, decimal separator ("." or ",") and
// exponent; blanks around allowed; "" is not.
bool numerico(const QString& text);

// ValidaCartao: `card` as typed or read, `typed` when the entry option is
// Digitação, `rule` the card field's caption entry (kind "N": digits only;
// minimum length).
CardCheck checkCard(const QString& card, bool typed, const CaptionEntry& rule);

// ValidaIdentificacao: the card again (typed entry only: plain numeric test
// and minimum length), then each field the administrator asks for;
// `fieldsDigitsOnly` is the login field rule's kind "N".
CardCheck checkIdentification(const QString& card, bool typed, const CaptionEntry& rule,
                              bool fieldsDigitsOnly,
                              const std::array<IdentificationEntry, 2>& fields);

// The box (title "Leitura do Cartão") a PIN pad read result asks for: none
// for a track read (0 or more) or a read the operator cancelled (-4),
// "Erro na Leitura do Cartão" from -20 down, "Erro no Acesso ao PinPad"
// for the other failures.
QString pinPadReadMessage(int result);

}  // namespace vtx::client

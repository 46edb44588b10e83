// Reading fields of an answer by key. The answer is the whole buffer that the
// communication library returned: a 4-digit length, the message, then blanks.
// These functions only look at the buffer; the caller owns it and keeps it
// alive for the duration of the call.
//
// Character positions in the comments are 1-based, as in field-message.md.
//
// Thread-safety: pure functions, apart from the receipt-line count that the
// caller passes by reference.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "field/Fault.h"

namespace vtx::client {

// The value read, empty when the field is absent; `fault` is set when the
// read failed (the value is then empty) and is to be reported by the caller.
struct FieldRead {
    QString value;
    std::optional<Fault> fault;
};

// The value of `key` in the answer, in the text form when `msgIso` is false,
// else in the ISO form (see getCampoIso; `receiptLineCount` is the session's
// receipt-line count, read and updated there). Faults name "GetCampo".
FieldRead GetCampo(QStringView answer, QStringView key, bool msgIso, int& receiptLineCount);

// Text form: the first occurrence of `key` anywhere in `answer` (exact,
// case-sensitive; an occurrence inside an earlier value counts) and the value
// from 8 characters after the key's first character up to the next ";".
// Absent key (or an empty one): empty value. A key with no ";" at or after the
// start of its value (truncated answer): empty value and the fault
// {"GetCampo", "5 - Invalid procedure call or argument"}.
FieldRead getCampoTexto(QStringView answer, QStringView key);

// ISO form. The key's group chooses the bit; its occurrence (characters 5-7)
// the record or line:
// - bit 60 holding "Erro de formatacao na mensagem": every field reads empty;
// - bit 61: the 38-character receipt line number n (from n*38+1);
// - bit 60: 900 is character 1, 901 characters 2-3, 028 characters 4-5 (and
//   sets `receiptLineCount` to their value; an absent bit 60 sets it to 0);
// - bit 63: the sub-field of record n of the layout chosen by the answer's
//   kind (message type + processing code, e.g. "0210800300"); the layouts of
//   kinds 0110800200, 0110800500, 0200800300 and 0210800300 start after
//   `receiptLineCount` x 40 characters of receipt prefix;
// - any other bit, or a group or kind without a layout: the bit's whole data.
// A bit whose length runs past the data gives an empty value and the fault
// {"GetCampo", "9 - Tamanho Inválido"}.
FieldRead getCampoIso(QStringView answer, QStringView key, int& receiptLineCount);

// The ISO message of an answer buffer: from character 5 to the end of the
// message. The end is the blank-trimmed end of the buffer, extended to the
// 4-digit length when that is longer and fits, so that trailing blanks of
// the last bit's data are kept.
QStringView isoAnswerBody(QStringView answer);

// The data of `bit` in `isoText` (message type, 16 hexadecimal bitmap digits,
// data). Empty when the bit is absent or the message is malformed (short or
// non-hexadecimal bitmap, non-numeric length); "Tamanho Inválido" when the
// length of this or an earlier bit runs past the data.
QString LeBitIso(int bit, QStringView isoText);

}  // namespace vtx::client

// The field message under construction: up to 2000 fields in the order they
// were added, serialised as numbered-field text ("009-000=00;") or as ISO 8583
// with a hexadecimal primary bitmap. The formats are written up in
// field-message.md beside this library's CMakeLists.txt.
//
// One message is built at a time: adding key 000-000 starts a new message and
// discards the fields added before it. Empty values are never stored.
//
// Thread-safety: none; the session that owns the message uses it from one
// thread.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>
#include <memory>
#include <optional>

#include "field/ClassCampo.h"
#include "field/Fault.h"

namespace vtx::client {

// The ISO 8583 form of a message, or the fault that kept it from having one.
struct IsoForm {
    QString text;                // empty when `fault` is set
    std::optional<Fault> fault;  // {"MontaMensagemIso", "6 - Overflow: ..."}
};

class Mensagem {
public:
    static constexpr int kMaxCampos = 2000;

    // A new message (NovaMensagem).
    Mensagem();

    // Stores the four tables (see IsoTables.h for their layout), releases
    // every field and puts a fresh field with key "000-000" and value "-1"
    // in slot 0; the count becomes 0.
    void InicializaMensagem(const QString& tipos, const QString& mapa, const QString& catalogo,
                            const QString& formatos);

    // Appends one field: an empty value stores nothing; the key is cut or
    // blank-padded to 7 characters. Duplicate keys are kept. When all 2000
    // slots are taken the field is lost and the fault
    // {"IncluiCampo", "9 - Subscript out of range"} is returned.
    std::optional<Fault> IncluiCampo(const QString& key, const QString& value);

    // Starts a new message with the literal ISO tables.
    void NovaMensagem();

    // Starts a new message when `key` is "000-000" (without regard to case),
    // then appends the field. A fault comes back as
    // {"AdicionaCampo", "9 - Subscript out of range"} for the caller to report;
    // building may go on.
    std::optional<Fault> AdicionaCampo(const QString& key, const QString& value);

    // Every field as key, "=", value, ";" in the order added; empty when the
    // message holds no field.
    QString MontaMensagemTexto() const;

    // The ISO 8583 form: the value of slot 0 (message type), 16 hexadecimal
    // bitmap digits, then the data of the present bits in ascending order.
    // Fields whose group has no bit are not sent. Empty when the message
    // holds no field. Only the hexadecimal bitmap is built. A bit whose data
    // is longer than the bit carries (its fixed width, or 99 / 999 characters
    // behind a 2- or 3-digit length) gives no text but the fault
    // {"MontaMensagemIso", "6 - Overflow: bit 42 com 18 caracteres, cabem 15"}
    // for the caller to report: no reader could split such a message.
    IsoForm MontaMensagemIso() const;

    // The ISO bit of the key's group, 0 when the group has no bit.
    qint16 BitDoCampo(QStringView key) const;
    // The two-character format entry ("06", "2L", "3L") of a bit 1-64.
    QString FormatoDoBit(int bit) const;
    // The type letter ('N' or 'A') of a bit 1-64.
    QChar TipoDoBit(int bit) const;

    // The two flags that the pre-sale request sets before sending and clears
    // after a successful send (the confirmation clears the second). They are
    // kept as state only: the ISO form never strips characters from bit 63
    // because of them (see field-message.md).
    void setBit63Flags(bool first, bool second);
    bool bit63First() const { return bit63First_; }
    bool bit63Second() const { return bit63Second_; }

    // Number of fields, which is also the next free slot.
    int count() const { return count_; }
    // The field in `slot` (0-1999), or nullptr when the slot is empty or out
    // of range. Slot 0 holds the placeholder "000-000" = "-1" of a new message
    // until the first field is added.
    const ClassCampo* campo(int slot) const;

    const QString& catalogo() const { return catalogo_; }

private:
    std::array<std::unique_ptr<ClassCampo>, kMaxCampos> slots_;
    int count_ = 0;
    QString tipos_;
    QString mapa_;
    QString catalogo_;
    QString formatos_;
    bool bit63First_ = false;
    bool bit63Second_ = false;
};

}  // namespace vtx::client

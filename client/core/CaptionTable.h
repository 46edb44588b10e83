// CaptionTable: the captions, enabled flags and length rules of the controls
// of every screen, per establishment type (TipoEstab 1 to 3), as MontaTela
// loads them from the caption sections of VtxClient.ini.
//
// Each caption value holds three slots of 35 characters, one per type; the
// slot of type k starts at character 1 + 35 * (k - 1). Inside a slot:
//   1     flag: "Y" = enabled (buttons, menu entries, list switches);
//         for input fields the kind, "N" = digits only
//   2-3   minimum length (input fields; 2-digit number)
//   4-5   maximum length (input fields; 2-digit number)
//   6-35  caption, trimmed (labels, frames and option buttons use only this;
//         input fields use at most 20 characters of it, see label())
// A slot the value does not reach, and a key that is missing, give an empty
// entry: not enabled, empty caption, lengths 0.
//
// Section and key names are looked up without regard to case.
//
// Thread-safety: a plain value; the client's single thread owns it.
#pragma once

#include <QHash>
#include <QString>
#include <array>
#include <vector>

namespace vtx::client {

// One control of one screen for one establishment type.
struct CaptionEntry {
    QString flag;  // slot character 1; empty when the slot is missing
    qint16 minLength = 0;
    qint16 maxLength = 0;
    QString caption;

    bool enabled() const { return flag == QStringLiteral("Y"); }
    bool digitsOnly() const { return flag == QStringLiteral("N"); }
    QString label() const { return caption.left(20); }

    // The slot of `tipoEstab` (1 to 3) of a caption value.
    static CaptionEntry parseSlot(const QString& value, int tipoEstab);
};

// A screen's section and the keys read from it, in order.
struct CaptionSectionKeys {
    QString section;
    std::vector<QString> keys;
};

class CaptionTable {
public:
    static constexpr int kTypes = 3;

    // Every section and key that MontaTela reads.
    static const std::vector<CaptionSectionKeys>& layout();

    // Stores the three slots of `value` for the control.
    void setValue(const QString& section, const QString& key, const QString& value);

    // The control's entry for `tipoEstab`; empty for an unknown control or a
    // type outside 1..3.
    CaptionEntry entry(const QString& section, const QString& key, int tipoEstab) const;

    // The caption record of a screen for `tipoEstab`: the entries of its keys
    // in layout() order (empty when the section is not in the layout).
    std::vector<CaptionEntry> record(const QString& section, int tipoEstab) const;

    void clear() { entries_.clear(); }

private:
    static QString idOf(const QString& section, const QString& key);

    QHash<QString, std::array<CaptionEntry, kTypes>> entries_;
};

}  // namespace vtx::client

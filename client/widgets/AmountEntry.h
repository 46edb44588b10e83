// The amount-entry mask of the client's amount fields: amounts are shown with
// two decimals and a decimal comma, and digits are entered from the right as
// on a cash register (typing 1, 2, 3 into "0,00" shows 0,01, then 0,12, then
// 1,23). Amounts of 1.000,00 and more show a point as thousands separator.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace vtx::client::widgets {

// The text with every "." and "," removed.
QString frValorVirg(const QString& text);

// The key filter of an amount box. `key` is a character code (13 Enter, 8
// Backspace, '0'..'9' digits) and is set to 0 when the box must not insert it
// itself — the mask has then already applied it:
// - Enter moves the focus to the next control;
// - a locked (read-only) box takes nothing;
// - Backspace sets the box to "0,00";
// - a digit is appended to the right of the box's digits and the box is
//   rewritten as that many cents, unless the box already holds 9 characters
//   or more; when more than one character is selected the box is reset to
//   "0,00" first;
// - any other key is not inserted.
// The caret is left at the end.
void Valor_KeyPress(QLineEdit& box, int& key);

// After a change: a box holding 2 characters or fewer (e.g. cleared by the
// operator) is rewritten as its numeric value / 100 with two decimals, caret
// at the end.
void Valor_Change(QLineEdit& box);

// Routes a QLineEdit's key presses through Valor_KeyPress and its text
// changes through Valor_Change; pasted or dropped text is refused, so the box
// only ever holds what the mask wrote.
class AmountEntryFilter : public QObject {
public:
    // Installs a filter owned by the box; an empty box is set to "0,00".
    static AmountEntryFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit AmountEntryFilter(QObject* parent) : QObject(parent) {}
};

}  // namespace vtx::client::widgets

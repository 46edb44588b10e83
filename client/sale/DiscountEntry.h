// The discount box of the product-entry screen: the cash-register entry of
// the amount boxes (widgets/AmountEntry.h) held to five characters, up to
// "99,99". A digit typed into a full box is swallowed unless the whole box
// is selected, which starts it again from that digit; Backspace (and
// Delete) reset it to zero; pasted or dropped text is refused; a locked box
// takes nothing.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>

class QLineEdit;

namespace vtx::client::sale {

inline constexpr int kMaxCaracteresDesconto = 5;

// The key rule as a function: `key` a character code (13 Enter, 8
// Backspace, digits); the box is rewritten as the rule says.
void Desconto_KeyPress(QLineEdit& box, int key);

class DiscountEntryFilter : public QObject {
public:
    // Installs a filter owned by the box; an empty box is set to "0,00".
    static DiscountEntryFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DiscountEntryFilter(QObject* parent) : QObject(parent) {}
};

}  // namespace vtx::client::sale

#include "sale/ApplyCaption.h"

#include <QLabel>
#include <QPushButton>

namespace vtx::client::sale {

void aplicaCaption(QPushButton& button, const CaptionEntry& entry) {
    if (!entry.caption.isEmpty()) button.setText(entry.caption);
    button.setEnabled(entry.enabled());
}

void aplicaCaption(QLabel& label, const CaptionEntry& entry) {
    if (!entry.caption.isEmpty()) label.setText(entry.caption);
}

}  // namespace vtx::client::sale

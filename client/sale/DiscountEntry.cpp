#include "sale/DiscountEntry.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "widgets/AmountEntry.h"

namespace vtx::client::sale {
namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;

}  // namespace

void Desconto_KeyPress(QLineEdit& box, int key) {
    if (key == kEnter) {
        widgets::Valor_KeyPress(box, key);
        return;
    }
    if (box.isReadOnly()) return;
    if (key == kBackspace) {
        box.setText(QStringLiteral("0"));
        return;
    }
    if (key < '0' || key > '9') return;
    if (box.text().size() >= kMaxCaracteresDesconto) {
        if (box.selectedText().size() < kMaxCaracteresDesconto) return;
        box.setText(QStringLiteral("0"));
    }
    widgets::Valor_KeyPress(box, key);
}

DiscountEntryFilter* DiscountEntryFilter::install(QLineEdit& box) {
    auto* filter = new DiscountEntryFilter(&box);
    if (box.text().isEmpty()) box.setText(QStringLiteral("0,00"));
    box.setAcceptDrops(false);
    box.setContextMenuPolicy(Qt::NoContextMenu);
    box.installEventFilter(filter);
    QLineEdit* target = &box;
    QObject::connect(&box, &QLineEdit::textChanged, filter,
                     [target] { widgets::Valor_Change(*target); });
    return filter;
}

bool DiscountEntryFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->matches(QKeySequence::Paste) || keyEvent->matches(QKeySequence::Cut)) return true;
    switch (keyEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Desconto_KeyPress(*box, kEnter);
            return true;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            Desconto_KeyPress(*box, kBackspace);
            return true;
        default:
            break;
    }
    if (keyEvent->text().isEmpty() || !keyEvent->text().at(0).isPrint() ||
        (keyEvent->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;  // navigation and shortcuts keep their meaning
    Desconto_KeyPress(*box, keyEvent->text().at(0).unicode());
    return true;
}

}  // namespace vtx::client::sale

#include "widgets/AmountEntry.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include "core/NumericText.h"
#include "widgets/FormHelpers.h"

namespace vtx::client::widgets {
namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kMaxChars = 9;  // "99.999,99"
const QString kZero = QStringLiteral("0,00");

// Whole cents as "#.##0,00": a point groups thousands, a comma before the cents.
QString formatCents(qint64 cents) {
    const bool negative = cents < 0;
    if (negative) cents = -cents;
    QString units = QString::number(cents / 100);
    for (qsizetype at = units.size() - 3; at > 0; at -= 3) units.insert(at, u'.');
    return (negative ? QStringLiteral("-") : QString()) + units + u',' +
           QString::number(cents % 100).rightJustified(2, u'0');
}

void rewrite(QLineEdit& box, const QString& text) {
    box.setText(text);
    box.setCursorPosition(static_cast<int>(box.text().size()));
}

}  // namespace

QString frValorVirg(const QString& text) {
    QString digits = text;
    digits.remove(u'.');
    digits.remove(u',');
    return digits;
}

void Valor_KeyPress(QLineEdit& box, int& key) {
    const int typed = key;
    key = 0;  // the mask writes the box itself; the key is never inserted as typed
    if (typed == kEnter) {
        EnterTab(box);
        return;
    }
    if (box.isReadOnly()) return;
    if (typed == kBackspace) {
        rewrite(box, kZero);
        return;
    }
    if (typed < '0' || typed > '9') return;
    if (box.text().size() >= kMaxChars) return;
    if (box.selectedText().size() > 1) rewrite(box, kZero);
    const QString digits = frValorVirg(box.text()) + QChar(static_cast<char16_t>(typed));
    const qint64 cents = static_cast<qint64>(valueOf(digits));
    rewrite(box, formatCents(cents));
}

void Valor_Change(QLineEdit& box) {
    if (box.text().size() > 2) return;
    const double value = valueOf(box.text()) / 100.0;
    rewrite(box, formatCents(qRound64(value * 100.0)));
}

AmountEntryFilter* AmountEntryFilter::install(QLineEdit& box) {
    auto* filter = new AmountEntryFilter(&box);
    if (box.text().isEmpty()) box.setText(kZero);
    box.setAcceptDrops(false);
    box.setContextMenuPolicy(Qt::NoContextMenu);  // no paste through the menu
    box.installEventFilter(filter);
    QLineEdit* target = &box;
    QObject::connect(&box, &QLineEdit::textChanged, filter, [target] { Valor_Change(*target); });
    return filter;
}

bool AmountEntryFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->matches(QKeySequence::Paste) || keyEvent->matches(QKeySequence::Cut)) return true;
    int key = 0;
    switch (keyEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = kEnter;
            break;
        case Qt::Key_Backspace:
        case Qt::Key_Delete:  // deleting inside the mask clears it, like Backspace
            key = kBackspace;
            break;
        default:
            if (keyEvent->text().isEmpty() || !keyEvent->text().at(0).isPrint() ||
                (keyEvent->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
                return false;  // navigation and shortcuts keep their meaning
            key = keyEvent->text().at(0).unicode();
    }
    Valor_KeyPress(*box, key);
    return true;
}

}  // namespace vtx::client::widgets

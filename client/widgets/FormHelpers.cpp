#include "widgets/FormHelpers.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace vtx::client::widgets {
namespace {

constexpr int kApostrophe = 39;

bool takesTabFocus(const QWidget& widget, const QWidget& window) {
    return (widget.focusPolicy() & Qt::TabFocus) && widget.isEnabled() &&
           widget.isVisibleTo(const_cast<QWidget*>(&window)) && widget.window() == &window &&
           !widget.focusProxy();
}

}  // namespace

void CentralizaJanela(QWidget& form) {
    QScreen* screen = form.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    const QSize size = form.frameGeometry().size();
    form.move(area.left() + (area.width() - size.width()) / 2,
              area.top() + (area.height() - size.height()) / 2);
}

void PosicionaFormulario(QWidget& form) {
    form.move(0, 0);
}

void EnterTab(QWidget& from) {
    QWidget* window = from.window();
    // The focus chain is circular; one lap at most.
    for (QWidget* next = from.nextInFocusChain(); next != nullptr && next != &from;
         next = next->nextInFocusChain()) {
        if (takesTabFocus(*next, *window)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void SelecionaCampo(QLineEdit& box) {
    box.setSelection(0, static_cast<int>(box.text().size()));
}

int Maiuscula_KeyPress(int key) {
    if (key == kApostrophe) return 0;
    if (key <= 0 || key > 0xFFFF) return key;
    return QChar(static_cast<char16_t>(key)).toUpper().unicode();
}

UpperCaseFilter* UpperCaseFilter::install(QLineEdit& box) {
    auto* filter = new UpperCaseFilter(&box);
    box.installEventFilter(filter);
    return filter;
}

bool UpperCaseFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    if (box == nullptr || box->isReadOnly() || key->text().isEmpty()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    QString filtered;
    for (QChar c : key->text()) {
        if (!c.isPrint()) return false;  // control characters keep their meaning
        const int mapped = Maiuscula_KeyPress(c.unicode());
        if (mapped != 0) filtered += QChar(static_cast<char16_t>(mapped));
    }
    if (filtered == key->text()) return false;
    if (!filtered.isEmpty()) box->insert(filtered);
    return true;
}

SelectOnFocusFilter* SelectOnFocusFilter::install(QLineEdit& box) {
    auto* filter = new SelectOnFocusFilter(&box);
    box.installEventFilter(filter);
    return filter;
}

bool SelectOnFocusFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return false;
    SelecionaCampo(*box);
    // A click places the caret after the focus arrives; select again once it has.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
        QPointer<QLineEdit> guarded(box);
        QTimer::singleShot(0, box, [guarded] {
            if (guarded) SelecionaCampo(*guarded);
        });
    }
    return false;
}

}  // namespace vtx::client::widgets

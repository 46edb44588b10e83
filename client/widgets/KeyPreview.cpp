#include "widgets/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vtx::client {
namespace {

bool isPreviewKey(int key) {
    return (key >= Qt::Key_F1 && key <= Qt::Key_F12) || key == Qt::Key_Escape;
}

// Calls a function for one kind of event of the object it belongs to.
class EventHook : public QObject {
public:
    EventHook(QObject& owner, std::function<bool(QEvent&)> hook)
        : QObject(&owner), hook_(std::move(hook)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override { return hook_(*event); }

private:
    std::function<bool(QEvent&)> hook_;
};

}  // namespace

KeyPreview::KeyPreview(QWidget& form, std::function<bool(int)> handler)
    : QObject(&form), form_(form), handler_(std::move(handler)) {}

KeyPreview* KeyPreview::install(QWidget& form, std::function<bool(int key)> handler) {
    auto* preview = new KeyPreview(form, std::move(handler));
    qApp->installEventFilter(preview);
    return preview;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isPreviewKey(key->key()) || form_.isHidden() || !form_.isEnabled()) return false;
    auto* target = static_cast<QWidget*>(watched);
    if (target != &form_ && !form_.isAncestorOf(target)) return false;
    return handler_(key->key());
}

void onEnterKey(QWidget& control, std::function<void()> onEnter) {
    control.installEventFilter(new EventHook(control, [onEnter](QEvent& event) {
        if (event.type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent&>(event).key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        onEnter();
        return true;
    }));
}

void onFocusOut(QWidget& control, std::function<void()> onLeave) {
    control.installEventFilter(new EventHook(control, [onLeave](QEvent& event) {
        if (event.type() == QEvent::FocusOut) onLeave();
        return false;
    }));
}

}  // namespace vtx::client

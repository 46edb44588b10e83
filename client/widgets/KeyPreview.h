// KeyPreview: a form sees the function keys (F1-F12) and Escape pressed in
// any of its controls before the control does, as the forms' Form_KeyDown
// handlers expect. Installed on the application, it passes the keys aimed at
// widgets inside the form to the handler while the form is shown; a key the
// handler takes (returns true) goes no further.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace vtx::client {

class KeyPreview : public QObject {
public:
    // Owned by `form`; `handler` gets the Qt key code (Qt::Key_F2, ...).
    static KeyPreview* install(QWidget& form, std::function<bool(int key)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyPreview(QWidget& form, std::function<bool(int)> handler);

    QWidget& form_;
    std::function<bool(int)> handler_;
};

// Calls `onEnter` when Enter (Return or the keypad's Enter) is pressed in
// `control`; the key goes no further. Owned by the control.
void onEnterKey(QWidget& control, std::function<void()> onEnter);

// Calls `onLeave` when `control` loses the focus. Owned by the control.
void onFocusOut(QWidget& control, std::function<void()> onLeave);

}  // namespace vtx::client

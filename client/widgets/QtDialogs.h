// QtDialogs: the client's message boxes and modal forms on Qt Widgets.
//
// Each box is a QMessageBox with the request's icon, title and text, Qt's
// standard buttons for the set labelled in Portuguese ("OK", "Cancelar",
// "Anular", "Repetir", "Ignorar", "Sim", "Não") whether or not Qt's own
// translations are installed, and the request's preselected button as the
// default button (Enter presses it), e.g. Yes/No with No preselected. Closing
// the box with Escape or the window's close button answers its escape
// button (Cancel, No, or Ok when it is the only button).
//
// A box or form shown while the busy pointer is up (a request's answer, a
// PIN pad read) shows the normal pointer over it, and the busy pointer
// comes back when it closes.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QPointer>

#include "core/Dialogs.h"

class QWidget;

namespace vtx::client::widgets {

class QtDialogs : public Dialogs {
public:
    // `parent`: the window the boxes are modal to (may be null).
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer showMessage(const MessageRequest& request) override;
    // Runs the form's own exec().
    int showModal(ModalForm& form) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace vtx::client::widgets

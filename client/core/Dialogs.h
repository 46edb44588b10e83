// Message boxes and modal forms as the client's logic asks for them.
//
// Every operator message of the client goes through one Dialogs object, so the
// logic below the widgets never blocks in a test: the widget layer implements
// it with real boxes, tests with testing::ScriptedDialogs, which answers from
// a script and records what was shown.
//
// Thread-safety: the client is single-threaded; a Dialogs object is used from
// the thread that owns the screens.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace vtx::client {

enum class MessageIcon { None, Information, Warning, Critical, Question };

enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

enum class MessageAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// One box: its text, title, icon, buttons, and the button preselected (the
// first button of the set when not given).
struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::optional<MessageAnswer> defaultButton;
    // The buttons' own texts, left to right ("Confirmar", "Desfazer"); empty
    // or shorter than the set: the standard texts for the rest.
    std::vector<QString> labels = {};
};

// The buttons of a set, left to right.
std::vector<MessageAnswer> buttonsOf(MessageButtons buttons);

// `request.defaultButton` when it is one of its buttons, else the first one.
MessageAnswer preselectedAnswer(const MessageRequest& request);

// A modal form as the logic sees it: a name (the form's name, e.g.
// "FormLogin") and the blocking run that the widget layer implements. The
// result is the form's own (0 when it has none).
class ModalForm {
public:
    virtual ~ModalForm() = default;
    virtual QString formName() const = 0;
    virtual int exec() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows the box and waits for the operator; the button pressed.
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;

    // Runs a modal form. The default runs form.exec(); a test fake may answer
    // for the form instead.
    virtual int showModal(ModalForm& form) { return form.exec(); }

    // Shorthand for an Ok box.
    void message(const QString& text, const QString& title, MessageIcon icon) {
        showMessage({text, title, icon, MessageButtons::Ok, std::nullopt});
    }

    // Shorthand for a question; true when the answer is Yes.
    bool askYesNo(const QString& text, const QString& title, MessageAnswer preselected);
};

}  // namespace vtx::client

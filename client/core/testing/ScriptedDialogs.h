// ScriptedDialogs: a Dialogs for tests. Every box is recorded and answered at
// once from a queue of scripted answers; with the queue empty, from the
// fallback answer when one is set, else with the box's preselected button.
// Modal forms are recorded by name and never block: a handler registered for
// the form's name answers for it (and may act on the form), else the result
// is 0 without running the form.
//
// Thread-safety: one test thread.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/Dialogs.h"

namespace vtx::client::testing {

struct ShownMessage {
    MessageRequest request;
    MessageAnswer answer;
};

class ScriptedDialogs : public Dialogs {
public:
    MessageAnswer showMessage(const MessageRequest& request) override;
    int showModal(ModalForm& form) override;

    // The answer to the next box not yet answered (answers queue in order).
    void queueAnswer(MessageAnswer answer) { script_.push_back(answer); }

    // The answer when the queue is empty; nullopt: the preselected button.
    void setFallbackAnswer(std::optional<MessageAnswer> answer) { fallback_ = answer; }

    // Answers for the form named `formName` (compared without regard to case).
    void onForm(const QString& formName, std::function<int(ModalForm&)> handler);

    const std::vector<ShownMessage>& messages() const { return messages_; }
    QStringList texts() const;                           // the text of every box, in order
    const QStringList& forms() const { return forms_; }  // names of the forms shown
    size_t pendingAnswers() const { return script_.size(); }

    // Forgets what was shown and the queued answers (handlers stay).
    void clear();

private:
    std::vector<ShownMessage> messages_;
    QStringList forms_;
    std::deque<MessageAnswer> script_;
    std::optional<MessageAnswer> fallback_;
    std::map<QString, std::function<int(ModalForm&)>> formHandlers_;
};

}  // namespace vtx::client::testing

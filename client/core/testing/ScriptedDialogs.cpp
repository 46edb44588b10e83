#include "core/testing/ScriptedDialogs.h"

namespace vtx::client::testing {

MessageAnswer ScriptedDialogs::showMessage(const MessageRequest& request) {
    MessageAnswer answer = preselectedAnswer(request);
    if (!script_.empty()) {
        answer = script_.front();
        script_.pop_front();
    } else if (fallback_) {
        answer = *fallback_;
    }
    messages_.push_back({request, answer});
    return answer;
}

int ScriptedDialogs::showModal(ModalForm& form) {
    QString name = form.formName();
    forms_.append(name);
    auto it = formHandlers_.find(name.toLower());
    return it == formHandlers_.end() ? 0 : it->second(form);
}

void ScriptedDialogs::onForm(const QString& formName, std::function<int(ModalForm&)> handler) {
    formHandlers_[formName.toLower()] = std::move(handler);
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const ShownMessage& shown : messages_) out.append(shown.request.text);
    return out;
}

void ScriptedDialogs::clear() {
    messages_.clear();
    forms_.clear();
    script_.clear();
}

}  // namespace vtx::client::testing

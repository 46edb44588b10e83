#include "core/Dialogs.h"

#include <algorithm>

namespace vtx::client {

std::vector<MessageAnswer> buttonsOf(MessageButtons buttons) {
    using A = MessageAnswer;
    switch (buttons) {
        case MessageButtons::Ok:
            return {A::Ok};
        case MessageButtons::OkCancel:
            return {A::Ok, A::Cancel};
        case MessageButtons::AbortRetryIgnore:
            return {A::Abort, A::Retry, A::Ignore};
        case MessageButtons::YesNoCancel:
            return {A::Yes, A::No, A::Cancel};
        case MessageButtons::YesNo:
            return {A::Yes, A::No};
        case MessageButtons::RetryCancel:
            return {A::Retry, A::Cancel};
    }
    return {A::Ok};
}

MessageAnswer preselectedAnswer(const MessageRequest& request) {
    std::vector<MessageAnswer> set = buttonsOf(request.buttons);
    if (request.defaultButton &&
        std::find(set.begin(), set.end(), *request.defaultButton) != set.end()) {
        return *request.defaultButton;
    }
    return set.front();
}

bool Dialogs::askYesNo(const QString& text, const QString& title, MessageAnswer preselected) {
    MessageRequest request{text, title, MessageIcon::Question, MessageButtons::YesNo, preselected};
    return showMessage(request) == MessageAnswer::Yes;
}

}  // namespace vtx::client

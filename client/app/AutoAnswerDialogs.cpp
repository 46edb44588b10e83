#include "app/AutoAnswerDialogs.h"

#include <cstdio>

namespace vtx::client {

MessageAnswer AutoAnswerDialogs::showMessage(const MessageRequest& request) {
    std::fprintf(stderr, "[%s] %s\n", request.title.toUtf8().constData(),
                 request.text.toUtf8().constData());
    std::fflush(stderr);
    if (request.buttons == MessageButtons::YesNo) return yesNoAnswer_;
    return preselectedAnswer(request);
}

}  // namespace vtx::client

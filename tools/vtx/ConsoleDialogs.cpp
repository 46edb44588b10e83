#include "ConsoleDialogs.h"

#include <cstdio>

namespace vtx::tool {

client::MessageAnswer ConsoleDialogs::showMessage(const client::MessageRequest& request) {
    std::fprintf(stderr, "[%s] %s\n", request.title.toUtf8().constData(),
                 request.text.toUtf8().constData());
    return client::preselectedAnswer(request);
}

}  // namespace vtx::tool

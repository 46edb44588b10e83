#include "ConsoleDialogs.h"

#include <cstdio>

#include "MaskedText.h"

namespace vtx::tool {

client::MessageAnswer ConsoleDialogs::showMessage(const client::MessageRequest& request) {
    // A message may quote the host, and the host may quote the card.
    std::fprintf(stderr, "[%s] %s\n", request.title.toUtf8().constData(),
                 maskedText(request.text.toStdString()).c_str());
    return client::preselectedAnswer(request);
}

}  // namespace vtx::tool

#include "app/AutoAnswerDialogs.h"

#include <cstdio>

#include "CardMask.h"
#include "core/Cp1252Text.h"

namespace vtx::client {

MessageAnswer AutoAnswerDialogs::showMessage(const MessageRequest& request) {
    // A box may quote the host, and the host may quote the card: standard
    // error shows it masked, as the station's traces do.
    const QString text = fromCp1252(vtx::wire::maskCardData(toCp1252(request.text)));
    std::fprintf(stderr, "[%s] %s\n", request.title.toUtf8().constData(),
                 text.toUtf8().constData());
    std::fflush(stderr);
    if (request.buttons == MessageButtons::YesNo) return yesNoAnswer_;
    return preselectedAnswer(request);
}

}  // namespace vtx::client

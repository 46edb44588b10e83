#include "widgets/ConfirmaSaida.h"

namespace vtx::client {

bool ConfirmaSaida(Dialogs& dialogs, const std::function<void()>& encerra) {
    MessageRequest box{kTextoConfirmaSaida, QStringLiteral("Atenção"), MessageIcon::Critical,
                       MessageButtons::YesNo, MessageAnswer::No};
    if (dialogs.showMessage(box) != MessageAnswer::Yes) return false;
    if (encerra) encerra();
    return true;
}

}  // namespace vtx::client

#include "screens/ConfirmaSaida.h"

namespace vtx::client {

bool ConfirmaSaida(Dialogs& dialogs, MainFrame& frame) {
    MessageRequest box{kTextoConfirmaSaida, QStringLiteral("Atenção"), MessageIcon::Critical,
                       MessageButtons::YesNo, MessageAnswer::No};
    if (dialogs.showMessage(box) != MessageAnswer::Yes) return false;
    frame.encerra();
    return true;
}

}  // namespace vtx::client

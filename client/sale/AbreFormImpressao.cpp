#include "sale/AbreFormImpressao.h"

#include "sale/FormImpressao.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::sale {

void abreFormImpressao(ClientSession& session, const SaleHost& host) {
    FormImpressao form(session, host);
    widgets::placeInScreenArea(form, host.screenArea);
    session.dialogs.showModal(form);
}

}  // namespace vtx::client::sale

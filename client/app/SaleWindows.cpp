#include "app/SaleWindows.h"

#include "messaging/PendingSettlement.h"

#include "sale/AbreFormImpressao.h"
#include "sale/FormCancela.h"
#include "sale/FormNsu.h"
#include "sale/FormPreVenda.h"
#include "sale/FrmCancelaProdutos.h"

namespace vtx::client {

SaleWindows::SaleWindows(ClientSession& session, MainFrame& frame, ScreenOpeners& openers)
    : session_(session), frame_(frame) {
    host_.setCaption = [&frame](const QString& text) { frame.SetaCaption(text); };
    host_.setPrintEnabled = [&frame](bool enabled) { frame.setPrintEnabled(enabled); };
    host_.endProgram = [&frame] { frame.encerra(); };
    host_.setCloseRoutine = [&frame](const QString& tela, std::function<void()> routine) {
        frame.setCloseRoutine(tela, std::move(routine));
    };
    host_.setPrintRoutine = [&frame](const QString& tela, std::function<void()> routine) {
        frame.setPrintRoutine(tela, std::move(routine));
    };
    host_.screenArea = frame.screenArea();
    // The openers' card screen is filled by the start-up after this object
    // is made: look it up when the pre-sale closes.
    host_.showCardScreen = [&openers] {
        if (openers.showCardScreen) openers.showCardScreen();
    };
    host_.openReceipt = [this] { sale::abreFormImpressao(session_, host_); };
    host_.openTransactionProducts = [this] {
        openTransactionProductsWindow(session_, frame_, links_);
    };

    links_.transacoesDoLote = [this](const reports::LoteSelecionado& lote) {
        sale::abreFormNsu(session_, host_, session_.settings.CodigoAdministradora,
                          lote.numeroLote);
    };
    links_.cancelaItem = [this](GridModel& produtos) {
        sale::abreFrmCancelaProdutos(session_, host_, produtos);
    };
}

void SaleWindows::plugInto(ScreenOpeners& openers) {
    openers.openPreSale = [this] {
        // A transaction left open since (an answer that never came, a sale
        // answered without a receipt) is settled before the next one starts.
        if (session_.journal != nullptr && session_.journal->load() &&
            !session_.journal->openEntries().empty())
            settleJournal(session_);
        sale::abreFormPreVenda(session_, host_);
    };
    openers.openCancellation = [this] { sale::abreFormCancela(session_, host_); };
    openers.openReport = [this](ReportKind kind) {
        openReportWindow(kind, session_, frame_, links_);
    };
}

}  // namespace vtx::client

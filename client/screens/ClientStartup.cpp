#include "screens/ClientStartup.h"

#include <QGridLayout>

#include "core/SetaEstruturaPrincipal.h"
#include "messaging/PendingSettlement.h"
#include "screens/FormComplementar.h"
#include "screens/FormInicial.h"
#include "screens/FormMensLogon.h"
#include "vtx/platform/NamedMutex.h"
#include "widgets/FormHelpers.h"
#include "widgets/QtTranslations.h"

namespace vtx::client {
namespace {

// A screen placed in the main window's screen area fills it, whatever rows
// it shows. The screens share the area's one cell: only the one shown takes
// it. A screen without an area (a window of its own) is left as it is.
void fillScreenArea(QWidget& screen) {
    QWidget* area = screen.parentWidget();
    if (area == nullptr) return;
    auto* layout = qobject_cast<QGridLayout*>(area->layout());
    if (layout == nullptr) {
        if (area->layout() != nullptr) return;
        layout = new QGridLayout(area);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(&screen, 0, 0);
}

}  // namespace

ClientStartup::ClientStartup(ClientSession& session, FormPrincipal& principal,
                             ScreenOpeners& openers, GetTrackFunction getTrack,
                             QString programFolder)
    : session_(session),
      principal_(principal),
      openers_(openers),
      getTrack_(std::move(getTrack)),
      programFolder_(std::move(programFolder)) {
    openers_.openAdminMenu = [this] { openAdminMenu(); };
    // The card screen again: shown when the menu hid it, activated afresh
    // when a screen over it (the pre-sale) has closed.
    openers_.showCardScreen = [this] {
        if (!cardScreen_) return;
        if (cardScreen_->isVisible())
            cardScreen_->Form_Activate();
        else
            cardScreen_->show();
        cardScreen_->raise();
        cardScreen_->activateWindow();
    };
    openers_.showCardScreenForPreSale = [this] {
        if (cardScreen_) cardScreen_->abrePreVenda();
    };
}

ClientStartup::~ClientStartup() = default;

bool ClientStartup::run() {
    const QString atencao = QStringLiteral("Atenção");
    // Qt's own texts in Portuguese before the first box can show.
    widgets::installQtTranslations();
    session_.mensagem.NovaMensagem();

    instance_ = std::make_unique<platform::NamedMutex>(kInstanceMutex);
    switch (instance_->attempt()) {
        case platform::NamedMutex::Attempt::kLocked:
            break;
        case platform::NamedMutex::Attempt::kHeldElsewhere:
            session_.dialogs.message(QStringLiteral("O VtxClient já esta ativo."), atencao,
                                     MessageIcon::Warning);
            return false;
        case platform::NamedMutex::Attempt::kUnusable:
            session_.dialogs.message(
                QStringLiteral("O VtxClient não pode verificar se já está ativo: %1")
                    .arg(QString::fromLocal8Bit(instance_->problem())),
                atencao, MessageIcon::Critical);
            return false;
    }

    principal_.setPrintEnabled(false);
    widgets::CentralizaJanela(principal_);
    principal_.SetaCaption(tituloComData(kTituloPrincipal));

    if (!SetaEstruturaPrincipal(session_.settings, session_.captions, session_.reporter,
                                programFolder_)) {
        session_.dialogs.message(QStringLiteral("Erro nos arquivos de configuração!"), atencao,
                                 MessageIcon::Critical);
        return false;
    }

    principal_.logonReminder().setShowLogon([this] { showLogonWindow(); });
    principal_.logonReminder().start();
    principal_.MontaTela_FormPrincipal();

    if (!session_.operadoras.ObtemDadosOperadora(session_.settings, session_.reporter)) {
        principal_.logonReminder().setEnabled(false);
        return false;
    }
    // What a previous run left between authorisation and confirmation is
    // settled before the first sale.
    journal_ = std::make_unique<TransactionJournal>(TransactionJournal::pathFor(session_.settings));
    if (!journal_->load())
        session_.reporter.TrataErro(QStringLiteral("Diario"), journal_->lastError());
    session_.journal = journal_.get();
    settleJournal(session_);

    cardScreen_ =
        new FormInicial(session_, principal_, openers_, getTrack_, principal_.screenArea());
    fillScreenArea(*cardScreen_);
    principal_.setCloseRoutine(QStringLiteral("INCIAL"),
                               [this] { cardScreen_->btnCancel_Click(); });
    cardScreen_->show();
    return true;
}

void ClientStartup::openAdminMenu() {
    if (adminMenu_ == nullptr) {
        adminMenu_ = new FormComplementar(session_, principal_, openers_, principal_.screenArea());
        fillScreenArea(*adminMenu_);
        principal_.setCloseRoutine(QStringLiteral("ADMINISTRATIVA"),
                                   [this] { adminMenu_->cmdCancel_Click(); });
    }
    adminMenu_->show();
    adminMenu_->raise();
}

void ClientStartup::showLogonWindow() {
    FormMensLogon logon(session_, principal_, &principal_);
    session_.dialogs.showModal(logon);
}

}  // namespace vtx::client

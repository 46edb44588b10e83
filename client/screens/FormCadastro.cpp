#include "screens/FormCadastro.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/IniAccess.h"
#include "messaging/RequestBuilders.h"
#include "screens/ConfirmaSaida.h"
#include "screens/DistributorFile.h"
#include "core/Guarded.h"
#include "widgets/KeyPreview.h"
#include "widgets/FormHelpers.h"
#include "widgets/Hourglass.h"
#include "widgets/FormLayout.h"

namespace vtx::client {
namespace {

using widgets::named;

const QString kFormCadastroSection = QStringLiteral("FormCadastro");
const QString kFormCadastroAtencao = QStringLiteral("Atenção");

// Spacing of the form (pixels); the list is wide enough for a
// distributor's name; buttons a little taller than their text.
constexpr int kFormCadastroEspaco = 6;
constexpr int kLarguraCampo = 220;
constexpr int kFormCadastroAlturaBotao = 28;

}  // namespace

FormCadastro::FormCadastro(ClientSession& session, MainFrame& frame, QWidget* parent)
    : QDialog(parent), session_(session), frame_(frame) {
    setObjectName(QStringLiteral("FormCadastro"));
    setWindowTitle(kTituloCadastro);
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormCadastroEspaco * 2);
    fraSelecao = named(new QGroupBox, "fraSelecao");
    auto* form = new QFormLayout(fraSelecao);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setHorizontalSpacing(kFormCadastroEspaco * 2);
    form->setVerticalSpacing(kFormCadastroEspaco);
    lblAdministradora = named(new QLabel, "lblAdministradora");
    txtAdministradora = named(new QLineEdit, "txtAdministradora");
    txtAdministradora->setReadOnly(true);
    lblDistribuidora = named(new QLabel, "lblDistribuidora");
    cboDistribuidora = named(new QComboBox, "cboDistribuidora");
    cboDistribuidora->setMinimumWidth(kLarguraCampo);
    form->addRow(lblAdministradora, txtAdministradora);
    form->addRow(lblDistribuidora, cboDistribuidora);
    root->addWidget(fraSelecao);
    cmdConfirma = named(new QPushButton(QStringLiteral("F3 - &Confirma")), "cmdConfirma");
    cmdRetorna = named(new QPushButton(QStringLiteral("ESC - &Retorna")), "cmdRetorna");
    for (QPushButton* b : {cmdConfirma, cmdRetorna}) b->setAutoDefault(false);
    // The buttons share the width under the frame evenly.
    root->addLayout(widgets::evenButtonRow({cmdConfirma, cmdRetorna}, kFormCadastroAlturaBotao, kFormCadastroEspaco));
    connect(cmdConfirma, &QPushButton::clicked, this, [this] { cmdConfirma_Click(); });
    connect(cmdRetorna, &QPushButton::clicked, this, [this] { reject(); });
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    Form_Load();
}

void FormCadastro::Form_Load() {
    guarded(session_.reporter, "Form_Load", [&] {
        session_.settings.TelaAtual = QStringLiteral("CADASTRO");
        txtAdministradora->setText(session_.settings.CodigoAdministradora);
        const int tipo = session_.settings.TipoEstab;
        auto entry = [&](const char* key) {
            return session_.captions.entry(kFormCadastroSection, QString::fromLatin1(key), tipo);
        };
        fraSelecao->setTitle(entry("fraSelecao").caption);
        lblAdministradora->setText(entry("lblAdministradora").caption);
        lblDistribuidora->setText(entry("lblDistribuidora").caption);
        cmdConfirma->setText(entry("cmdConfirma").caption);
        cmdConfirma->setEnabled(entry("cmdConfirma").enabled());
        PreencheDistribuidoras();
    });
    adjustSize();
    widgets::CentralizaJanela(*this);
}

void FormCadastro::PreencheDistribuidoras() {
    cboDistribuidora->clear();
    const EstruturaPrincipal& s = session_.settings;
    const DistributorList list = LeDistribuidoras(s, s.CodigoAdministradora, session_.reporter);
    const QString mf = s.PathServer + QStringLiteral("\\MF.Sxx");
    switch (list.outcome) {
        case DistributorList::Outcome::Missing:
            session_.dialogs.message(
                QStringLiteral("O arquivo ") + mf + QStringLiteral(" não foi encontrado "),
                kFormCadastroAtencao, MessageIcon::Critical);
            return;
        case DistributorList::Outcome::Corrupt:
            session_.dialogs.message(QStringLiteral("Arquivo ") + list.path +
                                         QStringLiteral(" corrompido ! Contatar o suporte !"),
                                     kFormCadastroAtencao, MessageIcon::Critical);
            return;
        case DistributorList::Outcome::AdministratorNotFound:
            session_.dialogs.message(
                QStringLiteral("A administradora selecionada não foi encontrada no arquivo ") + mf,
                kFormCadastroAtencao, MessageIcon::Critical);
            return;
        case DistributorList::Outcome::Found:
            break;
    }
    cboDistribuidora->addItems(list.names);
    cboDistribuidora->setCurrentIndex(-1);
    QString last;
    if (LeLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"),
                          QStringLiteral("DISTRIBUIDORA_") + txtAdministradora->text().trimmed(),
                          QString(), last, s.clientIni()))
        cboDistribuidora->setCurrentIndex(cboDistribuidora->findText(last));
}

bool FormCadastro::Form_KeyDown(int key) {
    if (key == Qt::Key_F3) {
        if (!cmdConfirma->isEnabled()) return false;
        cmdConfirma_Click();
        return true;
    }
    if (key == Qt::Key_F12) {
        if (ConfirmaSaida(session_.dialogs, frame_)) reject();
        return true;
    }
    return false;
}

bool FormCadastro::cmdConfirma_Click() {
    bool accepted = false;
    cmdConfirma->setEnabled(false);
    guarded(session_.reporter, "cmdConfirma_Click", [&] {
        if (cboDistribuidora->currentIndex() < 0) {
            session_.dialogs.message(QStringLiteral("Selecione uma distribuidora!"), kFormCadastroAtencao,
                                     MessageIcon::Critical);
            cboDistribuidora->setFocus();
            return;
        }
        BusyPointer busy;
        accepted = Mensagem_Alteracao_Cadastral(session_, cboDistribuidora->currentText(),
                                                txtAdministradora->text());
    });
    cmdConfirma->setEnabled(true);
    if (accepted) accept();
    return accepted;
}

}  // namespace vtx::client

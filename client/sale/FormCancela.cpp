#include "sale/FormCancela.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "messaging/RequestBuilders.h"
#include "sale/ApplyCaption.h"
#include "sale/CancelOutcome.h"
#include "sale/CancelRules.h"
#include "sale/CharacterFilter.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"
#include "widgets/Hourglass.h"
#include "widgets/KeyPreview.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::sale {
namespace {

using widgets::named;

const QString kFormCancelaSection = QStringLiteral("FormCancela");
const QString kFormCancelaAtencao = QStringLiteral("Atenção");

constexpr int kFormCancelaEspaco = 6;
constexpr int kLarguraCampo = 180;
constexpr int kFormCancelaAlturaBotao = 28;

}  // namespace

FormCancela::FormCancela(ClientSession& session, SaleHost host, QWidget* parent)
    : QDialog(parent), session_(session), host_(std::move(host)) {
    setObjectName(QStringLiteral("FormCancela"));
    setWindowTitle(QStringLiteral("Cancelamento de Transação "));
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormCancelaEspaco * 2);
    auto* form = new QFormLayout;
    form->setHorizontalSpacing(kFormCancelaEspaco * 2);
    lblNSU = named(new QLabel(QStringLiteral("NSU da Operadora")), "lblNSU");
    txtNSU = named(new QLineEdit, "txtNSU");
    txtNSU->setMinimumWidth(kLarguraCampo);
    form->addRow(lblNSU, txtNSU);
    root->addLayout(form);
    OptComPrd = named(new QCheckBox(QStringLiteral("Cancelamento de Transação com &Produtos")),
                      "OptComPrd");
    root->addWidget(OptComPrd);
    cmdOk = named(new QPushButton(QStringLiteral("F3 - &OK")), "cmdOk");
    cmdCancel = named(new QPushButton(QStringLiteral("ESC - &Cancel")), "cmdCancel");
    for (QPushButton* b : {cmdOk, cmdCancel}) b->setAutoDefault(false);
    root->addLayout(widgets::evenButtonRow({cmdOk, cmdCancel}, kFormCancelaAlturaBotao, kFormCancelaEspaco));
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    CharacterFilter::install(*txtNSU, [this](QChar key) { return txtNSU_KeyPress(key); });
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    Form_Load();
}

void FormCancela::Form_Load() {
    guarded(session_.reporter, "FormCancela_Load", [&] {
        MontaTela_FormCancela();
        adjustSize();
        widgets::CentralizaJanela(*this);
    });
}

void FormCancela::MontaTela_FormCancela() {
    guarded(session_.reporter, "MontaTela_FormCancela", [&] {
        const int tipo = session_.settings.TipoEstab;
        const CaptionEntry nsu = session_.captions.entry(kFormCancelaSection, QStringLiteral("lblNSU"), tipo);
        if (!nsu.label().isEmpty()) lblNSU->setText(nsu.label());
        nsuNumerico_ = nsu.digitsOnly();
        nsuMinimo_ = nsu.minLength;
        if (nsu.maxLength > 0) txtNSU->setMaxLength(nsu.maxLength);
        aplicaCaption(*cmdOk, session_.captions.entry(kFormCancelaSection, QStringLiteral("cmdOk"), tipo));
        aplicaCaption(*cmdCancel, session_.captions.entry(kFormCancelaSection, QStringLiteral("cmdCancel"), tipo));
    });
}

void FormCancela::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FormCancela::Form_Activate() {
    if (txtNSU->isEnabled()) txtNSU->setFocus();
}

bool FormCancela::txtNSU_KeyPress(QChar key) {
    bool accepted = true;
    guarded(session_.reporter, "txtNSU_KeyPress",
            [&] { accepted = teclaNsuAceita(key, nsuNumerico_); });
    return accepted;
}

bool FormCancela::ValidaCampos() {
    bool valid = false;
    guarded(session_.reporter, "ValidaCampos", [&] {
        const QString nsu = txtNSU->text();
        if (nsuCurto(nsu, nsuMinimo_)) {
            session_.dialogs.message(textoNsuMinimo(nsuMinimo_), kFormCancelaAtencao, MessageIcon::Critical);
            return;
        }
        // Pasted text passes the key rule: a numeric NSU is checked whole.
        if (nsuNumerico_ && !nsuSomenteDigitos(nsu.trimmed())) {
            session_.dialogs.message(kTextoNsuSomenteNumeros, kFormCancelaAtencao, MessageIcon::Critical);
            return;
        }
        valid = true;
    });
    return valid;
}

void FormCancela::cmdOk_Click() {
    setHourglass(true);
    cmdOk->setEnabled(false);
    bool fechar = false;
    guarded(session_.reporter, "Err_formCancela_cmdOk_Click", [&] {
        if (!ValidaCampos()) {
            setHourglass(false);
            if (txtNSU->isEnabled()) txtNSU->setFocus();
            return;
        }
        if (!txtNSU->text().isEmpty()) {
            session_.nsu = txtNSU->text();
            session_.pendente.tipo = tipoPendenteCancelamento(OptComPrd->isChecked());
            session_.tipoTransacao = session_.settings.TelaAtual;
            const bool aceito = Mensagem_Cancelamento(session_, true);
            setHourglass(false);
            informaCancelamento(session_, host_, aceito);
        }
        fechar = true;
    });
    setHourglass(false);
    cmdOk->setEnabled(true);
    if (fechar) done(QDialog::Accepted);
}

void FormCancela::cmdCancel_Click() {
    done(QDialog::Rejected);
}

bool FormCancela::Form_KeyDown(int key) {
    switch (key) {
        case Qt::Key_F3:
            if (cmdOk->isEnabled()) cmdOk_Click();
            return true;
        case Qt::Key_F12:
        case Qt::Key_Escape:
            if (cmdCancel->isEnabled()) cmdCancel_Click();
            return true;
        default:
            return false;
    }
}

void abreFormCancela(ClientSession& session, const SaleHost& host) {
    FormCancela form(session, host);
    widgets::placeInScreenArea(form, host.screenArea);
    session.dialogs.showModal(form);
}

}  // namespace vtx::client::sale

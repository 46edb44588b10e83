// FormInicial: its controls, their wiring to the handlers, and the captions
// of the caption section.
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "vtx/client/screens/FormInicial.h"
#include "vtx/client/screens/KeyPreview.h"
#include "vtx/client/widgets/FormHelpers.h"

namespace vtx::client {
namespace {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

void FormInicial::buildControls() {
    setObjectName(QStringLiteral("FormInicial"));
    auto* root = new QVBoxLayout(this);

    fraSelecionaTipoEstab =
        named(new QGroupBox(QStringLiteral("Seleciona Tipo do Estabelecimento"), this),
              "fraSelecionaTipoEstab");
    auto* tipoLayout = new QHBoxLayout(fraSelecionaTipoEstab);
    optSelecaoEstab =
        named(new QRadioButton(QStringLiteral("&Estabelecimento")), "optSelecaoEstab");
    optSelecaoRede = named(new QRadioButton(QStringLiteral("&Rede")), "optSelecaoRede");
    optSelecaoDistribuidor =
        named(new QRadioButton(QStringLiteral("&Distribuidor")), "optSelecaoDistribuidor");
    tipoGroup_ = new QButtonGroup(this);
    for (QRadioButton* option : {optSelecaoEstab, optSelecaoRede, optSelecaoDistribuidor}) {
        tipoGroup_->addButton(option);
        tipoLayout->addWidget(option);
    }
    root->addWidget(fraSelecionaTipoEstab);

    fraIdentifica =
        named(new QGroupBox(QStringLiteral("Identificação do Portador"), this), "fraIdentifica");
    auto* grid = new QGridLayout(fraIdentifica);
    lblCodigoEstab = named(new QLabel, "lblCodigoEstab");
    lblNomeEstab = named(new QLabel, "lblNomeEstab");
    grid->addWidget(lblCodigoEstab, 0, 0);
    grid->addWidget(lblNomeEstab, 0, 1, 1, 2);
    cbOperadora = named(new QComboBox, "cbOperadora");
    txtAdministradora = named(new QLineEdit, "txtAdministradora");
    txtAdministradora->setReadOnly(true);
    grid->addWidget(new QLabel(QStringLiteral("Operadora")), 1, 0);
    grid->addWidget(cbOperadora, 1, 1);
    grid->addWidget(txtAdministradora, 1, 2);
    optLeitura = named(new QRadioButton(QStringLiteral("&Leitura")), "optLeitura");
    optDigitacao = named(new QRadioButton(QStringLiteral("&Digitação")), "optDigitacao");
    auto* entryGroup = new QButtonGroup(this);
    entryGroup->addButton(optLeitura);
    entryGroup->addButton(optDigitacao);
    grid->addWidget(optLeitura, 2, 1);
    grid->addWidget(optDigitacao, 2, 2);
    lblCartao = named(new QLabel(QStringLiteral("Número do Cartão")), "lblCartao");
    txtCartao = named(new QLineEdit, "txtCartao");
    grid->addWidget(lblCartao, 3, 0);
    grid->addWidget(txtCartao, 3, 1, 1, 2);
    LBCampo1 = named(new QLabel(QStringLiteral("Label Campo 1")), "LBCampo1");
    txtCampo1 = named(new QLineEdit, "txtCampo1");
    LBCampo2 = named(new QLabel(QStringLiteral("Label Campo 2 ")), "LBCampo2");
    txtCampo2 = named(new QLineEdit, "txtCampo2");
    grid->addWidget(LBCampo1, 4, 0);
    grid->addWidget(txtCampo1, 4, 1, 1, 2);
    grid->addWidget(LBCampo2, 5, 0);
    grid->addWidget(txtCampo2, 5, 1, 1, 2);
    root->addWidget(fraIdentifica);

    auto* buttons = new QGridLayout;
    cmdConfirmaOper =
        named(new QPushButton(QStringLiteral("F3 - &Confirma Operadora")), "cmdConfirmaOper");
    cmdConfirmaCartao =
        named(new QPushButton(QStringLiteral("F3 - &Confirma Cartão")), "cmdConfirmaCartao");
    BtnPreVenda = named(new QPushButton(QStringLiteral("F2 - &Pré Autorização")), "BtnPreVenda");
    cmdVenda = named(new QPushButton(QStringLiteral("F4 - &Autorização")), "cmdVenda");
    cmdAdmin = named(new QPushButton(QStringLiteral("F5 - &Administrativas")), "cmdAdmin");
    cmdLimpa = named(new QPushButton(QStringLiteral("F8 - L&impa")), "cmdLimpa");
    btnCancel = named(new QPushButton(QStringLiteral("ESC - Encerrar")), "btnCancel");
    // The two confirmation buttons share one place; only one is shown.
    buttons->addWidget(cmdConfirmaOper, 0, 0);
    buttons->addWidget(cmdConfirmaCartao, 0, 0);
    buttons->addWidget(BtnPreVenda, 0, 1);
    buttons->addWidget(cmdVenda, 0, 2);
    buttons->addWidget(cmdAdmin, 1, 0);
    buttons->addWidget(cmdLimpa, 1, 1);
    buttons->addWidget(btnCancel, 1, 2);
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    root->addLayout(buttons);
    root->addStretch();
}

void FormInicial::wireHandlers() {
    connect(optSelecaoEstab, &QRadioButton::clicked, this, [this] { optSelecaoEstab_Click(); });
    connect(optSelecaoRede, &QRadioButton::clicked, this, [this] { optSelecaoRede_Click(); });
    connect(optSelecaoDistribuidor, &QRadioButton::clicked, this,
            [this] { optSelecaoDistribuidor_Click(); });
    connect(optLeitura, &QRadioButton::clicked, this, [this] { optLeitura_Click(); });
    connect(optDigitacao, &QRadioButton::clicked, this, [this] { optDigitacao_Click(); });
    connect(cbOperadora, &QComboBox::activated, this, [this] { cbOperadora_Click(); });
    connect(cmdConfirmaOper, &QPushButton::clicked, this, [this] { cmdConfirmaOper_Click(); });
    connect(cmdConfirmaCartao, &QPushButton::clicked, this, [this] { cmdConfirmaCartao_Click(); });
    connect(BtnPreVenda, &QPushButton::clicked, this, [this] { BtnPreVenda_Click(); });
    connect(cmdVenda, &QPushButton::clicked, this, [this] { cmdVenda_Click(); });
    connect(cmdAdmin, &QPushButton::clicked, this, [this] { cmdAdmin_Click(); });
    connect(cmdLimpa, &QPushButton::clicked, this, [this] { cmdLimpa_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });

    onEnterKey(*cbOperadora, [this] { cmdConfirmaOper_Click(); });
    onEnterKey(*txtCartao, [this] { txtCartao_KeyPress(); });
    onEnterKey(*txtCampo1, [this] { txtCampo1_KeyPress(); });
    onEnterKey(*txtCampo2, [this] { txtCampo2_KeyPress(); });
    onFocusOut(*txtCampo1, [this] { txtCampo1_LostFocus(); });
    onFocusOut(*txtCampo2, [this] { txtCampo2_LostFocus(); });
    for (QLineEdit* box : {txtCartao, txtCampo1, txtCampo2, txtAdministradora})
        widgets::SelectOnFocusFilter::install(*box);
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
}

CaptionEntry FormInicial::caption(const char* key) const {
    return session_.captions.entry(QStringLiteral("FormInicial"), QString::fromLatin1(key),
                                   session_.settings.TipoEstab);
}

void FormInicial::applyCaptions() {
    const std::pair<QWidget*, const char*> texts[] = {
        {cmdConfirmaOper, "CmdConfirmaOper_Caption"},
        {cmdConfirmaCartao, "CmdConfirmaCartao_Caption"},
        {BtnPreVenda, "BtnPreVenda_Caption"},
        {cmdVenda, "CmdVenda_Caption"},
        {cmdAdmin, "CmdAdmin_Caption"},
        {cmdLimpa, "CmdLimpa_Caption"},
    };
    for (const auto& [button, key] : texts)
        static_cast<QPushButton*>(button)->setText(caption(key).caption);
    fraSelecionaTipoEstab->setTitle(caption("fraSelecionaTipoEstab_Caption").caption);
    fraIdentifica->setTitle(caption("fraIdentifica_Caption").caption);

    const std::pair<QRadioButton*, const char*> options[] = {
        {optSelecaoEstab, "optSelecaoEstab"},
        {optSelecaoRede, "optSelecaoRede"},
        {optSelecaoDistribuidor, "optSelecaoDistribuidor"},
        {optLeitura, "optLeitura"},
        {optDigitacao, "optDigitacao"},
    };
    for (const auto& [option, key] : options) {
        const CaptionEntry entry = caption(key);
        option->setText(entry.caption);
        option->setVisible(entry.enabled());
    }
    fraSelecionaTipoEstab->setVisible(!optSelecaoEstab->isHidden() || !optSelecaoRede->isHidden() ||
                                      !optSelecaoDistribuidor->isHidden());
}

}  // namespace vtx::client

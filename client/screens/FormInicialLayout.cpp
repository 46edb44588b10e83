// FormInicial: its controls, their wiring to the handlers, and the captions
// of the caption section.
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "screens/FormInicial.h"
#include "widgets/KeyPreview.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"

namespace vtx::client {
namespace {

using widgets::named;

// Spacing of the screen (pixels): its margin, the gap between controls.
constexpr int kFormInicialLayoutMargem = 10;
constexpr int kFormInicialLayoutEspaco = 8;
// The label column: wide enough for the longest usual label.
constexpr int kLarguraRotulo = 150;
// The administrator code box holds a code of a few characters.
constexpr int kLarguraCodigo = 120;
// The buttons: three to a row across the screen, a little taller than text.
constexpr int kFormInicialLayoutLarguraBotao = 150;
constexpr int kFormInicialLayoutAlturaBotao = 30;

}  // namespace

void FormInicial::buildControls() {
    setObjectName(QStringLiteral("FormInicial"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(kFormInicialLayoutMargem, kFormInicialLayoutMargem, kFormInicialLayoutMargem, kFormInicialLayoutMargem);
    root->setSpacing(kFormInicialLayoutEspaco);

    fraSelecionaTipoEstab =
        named(new QGroupBox(QStringLiteral("Seleciona Tipo do Estabelecimento"), this),
              "fraSelecionaTipoEstab");
    // The three options share the frame's width evenly.
    auto* tipoLayout = new QHBoxLayout(fraSelecionaTipoEstab);
    optSelecaoEstab =
        named(new QRadioButton(QStringLiteral("&Estabelecimento")), "optSelecaoEstab");
    optSelecaoRede = named(new QRadioButton(QStringLiteral("&Rede")), "optSelecaoRede");
    optSelecaoDistribuidor =
        named(new QRadioButton(QStringLiteral("&Distribuidor")), "optSelecaoDistribuidor");
    tipoGroup_ = new QButtonGroup(this);
    for (QRadioButton* option : {optSelecaoEstab, optSelecaoRede, optSelecaoDistribuidor}) {
        tipoGroup_->addButton(option);
        tipoLayout->addWidget(option, 1);
    }
    root->addWidget(fraSelecionaTipoEstab);

    // The identification frame: the establishment's lines, then one row per
    // input, each with its label in the label column. Rows whose controls
    // are hidden take no room.
    fraIdentifica =
        named(new QGroupBox(QStringLiteral("Identificação do Portador"), this), "fraIdentifica");
    auto* form = new QFormLayout(fraIdentifica);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->setHorizontalSpacing(kFormInicialLayoutEspaco * 2);
    form->setVerticalSpacing(kFormInicialLayoutEspaco);
    lblCodigoEstab = named(new QLabel, "lblCodigoEstab");
    lblNomeEstab = named(new QLabel, "lblNomeEstab");
    form->addRow(lblCodigoEstab);
    form->addRow(lblNomeEstab);

    cbOperadora = named(new QComboBox, "cbOperadora");
    cbOperadora->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    txtAdministradora = named(new QLineEdit, "txtAdministradora");
    txtAdministradora->setReadOnly(true);
    txtAdministradora->setFixedWidth(kLarguraCodigo);
    auto* operadora = new QHBoxLayout;
    operadora->addWidget(cbOperadora);
    operadora->addWidget(txtAdministradora);
    auto* lblOperadora = new QLabel(QStringLiteral("Operadora"));
    form->addRow(lblOperadora, operadora);

    optLeitura = named(new QRadioButton(QStringLiteral("&Leitura")), "optLeitura");
    optDigitacao = named(new QRadioButton(QStringLiteral("&Digitação")), "optDigitacao");
    auto* entryGroup = new QButtonGroup(this);
    entryGroup->addButton(optLeitura);
    entryGroup->addButton(optDigitacao);
    auto* entrada = new QHBoxLayout;
    entrada->setSpacing(kFormInicialLayoutEspaco * 3);
    entrada->addWidget(optLeitura);
    entrada->addWidget(optDigitacao);
    entrada->addStretch();
    // The entry options belong to the card number: they sit in the field
    // column, without a label of their own.
    const int entradaRow = form->rowCount();
    form->setLayout(entradaRow, QFormLayout::FieldRole, entrada);

    lblCartao = named(new QLabel(QStringLiteral("Número do Cartão")), "lblCartao");
    txtCartao = named(new QLineEdit, "txtCartao");
    form->addRow(lblCartao, txtCartao);
    LBCampo1 = named(new QLabel(QStringLiteral("Label Campo 1")), "LBCampo1");
    txtCampo1 = named(new QLineEdit, "txtCampo1");
    LBCampo2 = named(new QLabel(QStringLiteral("Label Campo 2 ")), "LBCampo2");
    txtCampo2 = named(new QLineEdit, "txtCampo2");
    form->addRow(LBCampo1, txtCampo1);
    form->addRow(LBCampo2, txtCampo2);
    // The label column keeps its width while rows come and go, so the
    // fields do not shift when the card rows appear.
    for (QLabel* label : {lblOperadora, lblCartao, LBCampo1, LBCampo2})
        label->setMinimumWidth(kLarguraRotulo);
    // The frame takes the height the buttons leave; its rows stay at the top.
    root->addWidget(fraIdentifica, 1);

    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(kFormInicialLayoutEspaco);
    buttons->setVerticalSpacing(kFormInicialLayoutEspaco);
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
    // Three columns of equal width, whatever the captions.
    for (int column = 0; column < 3; ++column) {
        buttons->setColumnStretch(column, 1);
        buttons->setColumnMinimumWidth(column, kFormInicialLayoutLarguraBotao);
    }
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(kFormInicialLayoutAlturaBotao);
    }
    root->addLayout(buttons);
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

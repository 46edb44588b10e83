#include "screens/FormComplementar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/IniAccess.h"
#include "screens/ConfirmaSaida.h"
#include "screens/FormCadastro.h"
#include "screens/FormMensLogon.h"
#include "core/Guarded.h"
#include "widgets/KeyPreview.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"

namespace vtx::client {
namespace {

using widgets::named;

const QString kFormComplementarSection = QStringLiteral("FormComplementar");
// Two spellings, as each command has it.
const QString kSelecioneMinuscula = QStringLiteral("selecione a administradora ");
const QString kSelecioneMaiuscula = QStringLiteral("Selecione a Administradora ");

// Spacing of the screen (pixels): its margin, the gap between controls.
constexpr int kMargem = 10;
constexpr int kFormComplementarEspaco = 8;
// The buttons: three to a row across the screen, a little taller than text.
constexpr int kColunas = 3;
constexpr int kLarguraBotao = 150;
constexpr int kFormComplementarAlturaBotao = 30;

QPushButton* button(const char* name, const char* caption) {
    auto* b = named(new QPushButton(QString::fromUtf8(caption)), name);
    b->setAutoDefault(false);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setMinimumHeight(kFormComplementarAlturaBotao);
    return b;
}

}  // namespace

FormComplementar::FormComplementar(ClientSession& session, MainFrame& frame,
                                   const ScreenOpeners& openers, QWidget* parent)
    : QWidget(parent), session_(session), frame_(frame), openers_(openers) {
    buildControls();
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
}

void FormComplementar::buildControls() {
    setObjectName(QStringLiteral("FormComplementar"));
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(kMargem, kMargem, kMargem, kMargem);
    root->setSpacing(kFormComplementarEspaco);

    // The identification frame: one row per item, labels in one column; the
    // items without a value of their own sit in the label column.
    lblFraIdentificacao = named(new QGroupBox, "lblFraIdentificacao");
    auto* form = new QFormLayout(lblFraIdentificacao);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->setHorizontalSpacing(kFormComplementarEspaco * 2);
    form->setVerticalSpacing(kFormComplementarEspaco);
    lblUsuario = named(new QLabel, "lblUsuario");
    txtUsuario = named(new QLineEdit, "txtUsuario");
    txtUsuario->setReadOnly(true);
    lblCodigoEstab = named(new QLabel, "lblCodigoEstab");
    lblCodigoEstabValor_ = named(new QLabel, "lblCodigoEstabValor");
    lblNomeRede = named(new QLabel, "lblNomeRede");
    lblTransacoesPendentes = named(new QLabel, "lblTransacoesPendentes");
    lblUltimoLote = named(new QLabel, "lblUltimoLote");
    lblAdmistradora = named(new QLabel, "lblAdmistradora");
    cbAdministradora = named(new QComboBox, "cbAdministradora");
    form->addRow(lblUsuario, txtUsuario);
    form->addRow(lblCodigoEstab, lblCodigoEstabValor_);
    for (QLabel* item : {lblNomeRede, lblTransacoesPendentes, lblUltimoLote})
        form->setWidget(form->rowCount(), QFormLayout::LabelRole, item);
    form->addRow(lblAdmistradora, cbAdministradora);
    // The frame takes the height the buttons leave; its rows stay at the top.
    root->addWidget(lblFraIdentificacao, 1);

    auto* buttons = new QGridLayout;
    buttons->setHorizontalSpacing(kFormComplementarEspaco);
    buttons->setVerticalSpacing(kFormComplementarEspaco);
    cmdLogin = button("cmdLogin", "F2 - &Login");
    cmdCadastro = button("cmdCadastro", "F3 - &Cadastro");
    cmdAlterarSenha = button("cmdAlterarSenha", "F4 - &Nova Senha");
    cmdResumoFinanceiro = button("cmdResumoFinanceiro", "F5 - Resumo &Financeiro");
    cmdResumo = button("cmdResumo", "F6 - Resumo de &Autorização");
    cmdCanceltotal = button("cmdCanceltotal", "F7 - Cancelament&o");
    cmdPendentes = button("cmdPendentes", "F8 - &Transações Pendentes ");
    cmdLogon = button("cmdLogon", "F9 - Lo&gon");
    cmdPrevenda = button("cmdPrevenda", "F5 - Pré Autorização");
    cmdCancel = button("cmdCancel", "&Retornar");
    // Pre-authorisation from the menu and the cancellation window are offered
    // when the program has their screens; otherwise they stay hidden children
    // of the form, out of the button grid.
    auto offered = [this](const QPushButton* b) {
        if (b == cmdCanceltotal) return static_cast<bool>(openers_.openCancellation);
        if (b == cmdPrevenda) return openers_.openPreSale && openers_.showCardScreenForPreSale;
        return true;
    };
    for (QPushButton* b : {cmdCanceltotal, cmdPrevenda}) {
        if (offered(b)) continue;
        b->setParent(this);
        b->hide();
    }
    // The commands offered fill three columns of equal width in the order of
    // their keys; the return button closes the last row on the right, as the
    // card screen's exit button does.
    QPushButton* const commands[] = {
        cmdLogin,       cmdCadastro,  cmdAlterarSenha, cmdResumoFinanceiro, cmdResumo,
        cmdCanceltotal, cmdPendentes, cmdLogon,        cmdPrevenda};
    int position = 0;
    for (QPushButton* b : commands) {
        if (!offered(b)) continue;
        buttons->addWidget(b, position / kColunas, position % kColunas);
        ++position;
    }
    // The return button: the last column of the commands' last row, or a row
    // of its own when that place is taken.
    const int lastCommand = position - 1;
    const int cancelRow = lastCommand / kColunas + (lastCommand % kColunas == kColunas - 1 ? 1 : 0);
    buttons->addWidget(cmdCancel, cancelRow, kColunas - 1);
    for (int column = 0; column < kColunas; ++column) {
        buttons->setColumnStretch(column, 1);
        buttons->setColumnMinimumWidth(column, kLarguraBotao);
    }
    root->addLayout(buttons);

    connect(cbAdministradora, &QComboBox::currentIndexChanged, this,
            [this] { cbAdministradora_Click(); });
    connect(cmdLogin, &QPushButton::clicked, this, [this] { cmdLogin_Click(); });
    connect(cmdCadastro, &QPushButton::clicked, this, [this] { cmdCadastro_Click(); });
    connect(cmdAlterarSenha, &QPushButton::clicked, this, [this] { cmdAlterarSenha_Click(); });
    connect(cmdResumoFinanceiro, &QPushButton::clicked, this,
            [this] { cmdResumoFinanceiro_Click(); });
    connect(cmdResumo, &QPushButton::clicked, this, [this] { cmdResumo_Click(); });
    connect(cmdCanceltotal, &QPushButton::clicked, this, [this] { cmdCanceltotal_Click(); });
    connect(cmdPendentes, &QPushButton::clicked, this, [this] { cmdPendentes_Click(); });
    connect(cmdLogon, &QPushButton::clicked, this, [this] { cmdLogon_Click(); });
    connect(cmdPrevenda, &QPushButton::clicked, this, [this] { cmdPrevenda_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void FormComplementar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) Form_Load();
}

void FormComplementar::Form_Load() {
    guarded(session_.reporter, "Form_Load", [&] {
        retomaJanelaPrincipal();
        widgets::PosicionaFormulario(*this);
        MontaTela_FormComplementar();
        aplicaPermissoes();
        PreencheComboAdm();
    });
}

void FormComplementar::retomaJanelaPrincipal() {
    session_.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
    frame_.setPrintEnabled(false);
    frame_.SetaCaption(tituloComData(kTituloAdministrativas));
}

void FormComplementar::MontaTela_FormComplementar() {
    const int tipo = session_.settings.TipoEstab;
    auto text = [&](const char* key) {
        return session_.captions.entry(kFormComplementarSection, QString::fromLatin1(key), tipo).caption;
    };
    lblUsuario->setText(text("lblUsuario"));
    lblCodigoEstab->setText(text("lblCodigoEstab"));
    lblCodigoEstabValor_->setText(session_.settings.CodigoEstab);
    lblNomeRede->setText(text("lblNomeRede"));
    lblTransacoesPendentes->setText(text("lblTransacoesPendentes"));
    lblUltimoLote->setText(text("lblUltimoLote"));
    lblFraIdentificacao->setTitle(text("lblFraIdentificacao"));
    lblAdmistradora->setText(text("lblAdmistradora"));
    cmdLogin->setText(text("CmdLogin_Caption"));
    cmdAlterarSenha->setText(text("CmdAlterarSenha_Caption"));
    cmdResumo->setText(text("CmdResumo_Caption"));
    cmdCanceltotal->setText(text("CmdCanceltotal_Caption"));
    cmdPendentes->setText(text("CmdPendentes_Caption"));
    cmdLogon->setText(text("CmdLogon_Caption"));
    cmdCadastro->setText(text("CmdCadastro_Caption"));
    txtUsuario->setText(
        trimBlanks(session_.login.operadorLogado[tipoValido(session_.settings.TipoEstab)].usuario));
}

void FormComplementar::aplicaPermissoes() {
    const PermissaoOperador& permissao =
        session_.login.permissao[tipoValido(session_.settings.TipoEstab)];
    cmdResumo->setEnabled(permissao.allows(1));
    cmdPendentes->setEnabled(permissao.allows(2));
    cmdCadastro->setEnabled(permissao.allows(3));
    cmdCanceltotal->setEnabled(permissao.allows(8));
    cmdLogon->setEnabled(permissao.allows(9));
}

void FormComplementar::PreencheComboAdm() {
    QSignalBlocker quiet(cbAdministradora);
    cbAdministradora->clear();
    for (const CodeChoice& choice : session_.operadoras.distinctCodes())
        cbAdministradora->addItem(choice.code, choice.index);
    if (cbAdministradora->count() > 0) {
        cbAdministradora->setCurrentIndex(0);
        cbAdministradora_Click();
    }
}

void FormComplementar::cbAdministradora_Click() {
    const int index = cbAdministradora->currentData().toInt();
    session_.operadoras.select(index, session_.settings);
}

bool FormComplementar::Form_KeyDown(int key) {
    const std::pair<int, QPushButton*> keys[] = {
        {Qt::Key_F2, cmdLogin},        {Qt::Key_F3, cmdCadastro},
        {Qt::Key_F4, cmdAlterarSenha}, {Qt::Key_F5, cmdResumoFinanceiro},
        {Qt::Key_F6, cmdResumo},       {Qt::Key_F7, cmdCanceltotal},
        {Qt::Key_F8, cmdPendentes},    {Qt::Key_F9, cmdLogon}};
    if (key == Qt::Key_F12) {
        guarded(session_.reporter, "Form_KeyDown",
                [&] { ConfirmaSaida(session_.dialogs, frame_); });
        return true;
    }
    for (const auto& [code, target] : keys) {
        if (code != key) continue;
        if (target->isHidden() || !target->isEnabled()) return false;
        target->click();
        return true;
    }
    return false;
}

void FormComplementar::runCommand(QPushButton* button, const char* procedure,
                                  const QString& admMessage, const std::function<void()>& body) {
    button->setEnabled(false);
    guarded(session_.reporter, procedure, [&] {
        if (!admMessage.isEmpty() && cbAdministradora->currentIndex() < 0) {
            session_.dialogs.message(admMessage, QStringLiteral("Atenção"), MessageIcon::Warning);
            cbAdministradora->setFocus();
            return;
        }
        body();
    });
    button->setEnabled(true);
    // The window the command opened has closed (a command that left the
    // menu has hidden it): the menu is the current screen again, with the
    // main window's title, print entry and close routine, its permissions,
    // and the focus inside it so that its keys (F12 included) reach it.
    if (isHidden()) return;
    retomaJanelaPrincipal();
    aplicaPermissoes();
    if (button->isEnabled())
        button->setFocus();
    else
        cbAdministradora->setFocus();
}

void FormComplementar::cmdLogin_Click() {
    runCommand(cmdLogin, "cmdLogin_Click", {}, [&] {
        if (!openers_.openLogin || !openers_.openLogin()) return;
        MontaTela_FormComplementar();
        aplicaPermissoes();
    });
    // The login may have taken a permission away from the button just run.
    aplicaPermissoes();
}

void FormComplementar::cmdCadastro_Click() {
    runCommand(cmdCadastro, "cmdCadastro_Click", kSelecioneMinuscula, [&] {
        FormCadastro cadastro(session_, frame_, this);
        session_.dialogs.showModal(cadastro);
        session_.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
    });
}

void FormComplementar::cmdAlterarSenha_Click() {
    runCommand(cmdAlterarSenha, "cmdAlterarSenha_Click", {}, [&] {
        if (openers_.openPasswordChange) openers_.openPasswordChange();
    });
}

void FormComplementar::cmdResumoFinanceiro_Click() {
    runCommand(cmdResumoFinanceiro, "cmdResumoFinanceiro_Click", kSelecioneMinuscula, [&] {
        if (openers_.openReport) openers_.openReport(ReportKind::ResumoFinanceiro);
    });
}

void FormComplementar::cmdResumo_Click() {
    runCommand(cmdResumo, "cmdResumo_Click", kSelecioneMinuscula, [&] {
        if (openers_.openReport) openers_.openReport(ReportKind::Resumo);
    });
}

void FormComplementar::cmdPendentes_Click() {
    runCommand(cmdPendentes, "cmdPendentes_Click", kSelecioneMaiuscula, [&] {
        session_.settings.TelaAtual = QStringLiteral("PENDENTES");
        if (openers_.openReport) openers_.openReport(ReportKind::Pendentes);
    });
}

void FormComplementar::cmdCanceltotal_Click() {
    runCommand(cmdCanceltotal, "cmdCanceltotal_Click", kSelecioneMinuscula, [&] {
        if (openers_.openCancellation) openers_.openCancellation();
    });
}

void FormComplementar::cmdPrevenda_Click() {
    runCommand(cmdPrevenda, "cmdPrevenda_Click", kSelecioneMinuscula, [&] {
        if (!openers_.openPreSale || !openers_.showCardScreenForPreSale) return;
        session_.settings.TelaAtual = QStringLiteral("PREVENDA");
        hide();
        openers_.showCardScreenForPreSale();
    });
}

void FormComplementar::cmdLogon_Click() {
    runCommand(cmdLogon, "cmdLogon_Click", kSelecioneMaiuscula, [&] {
        session_.settings.TelaAtual = QStringLiteral("LOGON");
        if (const OperatorRecord* record =
                session_.operadoras.at(cbAdministradora->currentData().toInt()))
            session_.settings.CodigoAdministradora = trimBlanks(record->code);
        FormMensLogon logon(session_, frame_, this);
        session_.dialogs.showModal(logon);
        session_.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
    });
}

void FormComplementar::cmdCancel_Click() {
    guarded(session_.reporter, "cmdCancel_Click", [&] {
        hide();
        if (openers_.showCardScreen) openers_.showCardScreen();
    });
}

}  // namespace vtx::client

// FormPreVenda: the screen, its loading and activation, keys and closing.
// The commands are in FormPreVendaCommands.cpp.
#include "sale/FormPreVenda.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "field/LeadingNumber.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "sale/FormConsultaProdutos.h"
#include "sale/PreSaleGrid.h"
#include "sale/PreSaleTotals.h"
#include "sale/SaleControls.h"
#include "widgets/ConfirmaSaida.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"
#include "widgets/GridView.h"
#include "widgets/KeyPreview.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::sale {
namespace {

using widgets::named;

const QString kFormPreVendaSection = QStringLiteral("FormPreVenda");
const QString kVenda = QStringLiteral("VENDA");

// The grid's typed characters, before the view uses them.
class GridTyping : public QObject {
public:
    GridTyping(QObject& owner, std::function<bool(int)> keyPress)
        : QObject(&owner), keyPress_(std::move(keyPress)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                return keyPress_(13);
            case Qt::Key_Backspace:
                return keyPress_(8);
            default:
                break;
        }
        if (key->text().isEmpty() || !key->text().at(0).isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return false;  // arrows and paging move in the grid
        return keyPress_(key->text().at(0).unicode());
    }

private:
    std::function<bool(int)> keyPress_;
};

QLineEdit* caixaTotal(const char* name) {
    auto* box = named(new QLineEdit, name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setAlignment(Qt::AlignRight);
    return box;
}

}  // namespace

FormPreVenda::FormPreVenda(ClientSession& session, const SaleHost& host, QWidget* parent)
    : QWidget(parent), session_(session), host_(host) {
    setObjectName(kFormPreVendaSection);
    buildControls();
    instalaTeclas();
}

FormPreVenda::~FormPreVenda() {
    if (!fechada_) host_.closeRoutine(telaAtual_, {});
    consulta_.reset();
    // The view writes the operator's selection into grid_: it goes first.
    delete spdProduto;
}

void FormPreVenda::buildControls() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    lblNomeCliente = named(new QLabel, "lblNomeCliente");
    lblNSU = named(new QLabel(QStringLiteral("NSU Operadora")), "lblNSU");
    txtNSU = named(new QLineEdit, "txtNSU");
    txtNSU->setReadOnly(true);
    txtNSU->setFocusPolicy(Qt::NoFocus);
    top->addWidget(lblNomeCliente, 1);
    top->addWidget(lblNSU);
    top->addWidget(txtNSU);
    root->addLayout(top);

    fraProduto = named(new QGroupBox, "fraProduto");
    auto* search = new QHBoxLayout(fraProduto);
    lblProduto = named(new QLabel(QStringLiteral("Descrição do Produto ")), "lblProduto");
    txtPesquisa = named(new QLineEdit, "txtPesquisa");
    cmdPesquisa = botao("cmdPesquisa", "F3 - Pesquisa Produto");
    search->addWidget(lblProduto);
    search->addWidget(txtPesquisa, 1);
    search->addWidget(cmdPesquisa);
    root->addWidget(fraProduto);

    spdProduto = named(new widgets::GridView(grid_, this), "spdProduto");
    root->addWidget(spdProduto, 1);

    auto* totals = new QGridLayout;
    lblTotVend = named(new QLabel(QStringLiteral("Total da Venda ")), "lblTotVend");
    lblTotCred = named(new QLabel(QStringLiteral("Total a Receber LJ")), "lblTotCred");
    lblTotBen = named(new QLabel(QStringLiteral("Total Beneficios ")), "lblTotBen");
    txtTotVend = caixaTotal("txtTotVend");
    txtTotCred = caixaTotal("txtTotCred");
    txtTotBen = caixaTotal("txtTotBen");
    lblNrDocFiscal = named(new QLabel(QStringLiteral("Nr Doc. Fiscal")), "lblNrDocFiscal");
    txtNrDocFiscal = named(new QLineEdit, "txtNrDocFiscal");
    int column = 0;
    for (auto [label, box] : {std::pair{lblTotVend, txtTotVend}, std::pair{lblTotCred, txtTotCred},
                              std::pair{lblTotBen, txtTotBen},
                              std::pair{lblNrDocFiscal, txtNrDocFiscal}}) {
        totals->addWidget(label, 0, column);
        totals->addWidget(box, 1, column++);
    }
    root->addLayout(totals);

    cmdAdicionaProduto = botao("cmdAdicionaProduto", "F3 - &Adiciona Produto");
    cmdConfirma = botao("cmdConfirma", "F5 - &Finaliza Autorização");
    cmdExcluir = botao("cmdExcluir", "F8 - &Exclui Produto");
    cmdEditar = botao("cmdEditar", "F10 - Edita &Produto");
    btnCancel = botao("btnCancel", "ESC - &Cancela");
    root->addLayout(widgets::evenButtonGrid(
        {cmdAdicionaProduto, cmdConfirma, cmdExcluir, cmdEditar, btnCancel}, 3, 26, 6));

    connect(cmdPesquisa, &QPushButton::clicked, this, [this] { cmdPesquisa_Click(); });
    connect(cmdAdicionaProduto, &QPushButton::clicked, this, [this] { cmdAdicionaProduto_Click(); });
    connect(cmdConfirma, &QPushButton::clicked, this, [this] { cmdConfirma_Click(); });
    connect(cmdExcluir, &QPushButton::clicked, this, [this] { cmdExcluir_Click(); });
    connect(cmdEditar, &QPushButton::clicked, this, [this] { cmdEditar_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
    connect(spdProduto, &QAbstractItemView::doubleClicked, this, [this] { spdProduto_DblClick(); });
    resize(900, 560);
}

void FormPreVenda::instalaTeclas() {
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    onEnterKey(*txtPesquisa, [this] { cmdPesquisa_Click(); });
    widgets::SelectOnFocusFilter::install(*txtPesquisa);
    aceitaSoDigitos(*txtNrDocFiscal);
    onEnterKey(*txtNrDocFiscal, [this] { cmdConfirma_Click(); });
    spdProduto->installEventFilter(new GridTyping(*spdProduto, [this](int key) {
        // With the search area hidden (products read back) the grid keeps its keys.
        if (key != 13 && (!txtPesquisa->isEnabled() || fraProduto->isHidden())) return false;
        spdProduto_KeyPress(key);
        return true;
    }));
}

void FormPreVenda::abre() {
    guarded(session_.reporter, "FormPre_Load", [&] { Form_Load(); });
    if (fechada_) return;
    show();
    guarded(session_.reporter, "Form_Activate", [&] { Form_Activate(); });
}

void FormPreVenda::mostraTitulo() {
    host_.caption(tituloComData(
        session_, venda_ ? QStringLiteral("Vantorix Client      Tela 0011 - Autorização    ")
                         : QStringLiteral("Vantorix Client      Tela 0011 - Pre-Autorização    ")));
}

void FormPreVenda::MontaTela() {
    const int tipo = session_.settings.TipoEstab;
    auto entry = [&](const char* key) {
        return session_.captions.entry(kFormPreVendaSection, QString::fromLatin1(key), tipo);
    };
    const CaptionEntry produto =
        session_.captions.entry(QStringLiteral("FormConsultaProdutos"), QStringLiteral("lblProduto"), tipo);
    lblProduto->setText(legenda(produto, lblProduto->text()));
    if (produto.flag == QStringLiteral("N"))
        aceitaSoDigitos(*txtPesquisa);
    else
        widgets::UpperCaseFilter::install(*txtPesquisa);

    const CaptionEntry documento = entry("lblUsuario");
    lblNrDocFiscal->setText(legenda(documento, lblNrDocFiscal->text()));
    if (documento.maxLength > 0) txtNrDocFiscal->setMaxLength(documento.maxLength);
    lblTotVend->setText(legenda(entry("lblTotVen"), lblTotVend->text()));
    lblTotCred->setText(legenda(entry("lblTotCred"), lblTotCred->text()));
    lblTotBen->setText(legenda(entry("lblTotBen"), lblTotBen->text()));
    lblNSU->setText(legenda(entry("lblnsu"), lblNSU->text()));
    aplicaBotao(*cmdAdicionaProduto, entry("cmdAdicionaProduto_Caption"), cmdAdicionaProduto->text());
    aplicaBotao(*cmdConfirma, entry("cmdConfirma_Caption"), cmdConfirma->text());
    aplicaBotao(*cmdExcluir, entry("cmdExcluir_Caption"), cmdExcluir->text());
    aplicaBotao(*cmdEditar, entry("cmdEditar_Caption"), cmdEditar->text());
}

void FormPreVenda::Form_Load() {
    host_.printEnabled(false);
    primeiraAtivacao_ = true;
    telaAtual_ = session_.settings.TelaAtual;
    venda_ = telaAtual_.trimmed() == kVenda;
    if (host_.screenArea == nullptr) widgets::PosicionaFormulario(*this);
    host_.closeRoutine(telaAtual_, [this] { btnCancel_Click(); });
    mostraTitulo();
    MontaTela();
    configuraColunasPreVenda(grid_, venda_, campoComplemento(session_));
    session_.produtosLidos = false;
    grid_.setMaxRows(0);
    if (venda_) {
        const QString nsu = GetCampo(session_, QStringLiteral("012-000"));
        if (!nsu.isEmpty()) session_.nsu = nsu;
        leituraPreAutorizacao();
    } else {
        txtNrDocFiscal->hide();
        lblNrDocFiscal->hide();
    }
    refresh();
}

// The pre-authorisation's products, page by page, from the eligibility
// answer on; the first page that fails ends the reading, the rows read stay.
void FormPreVenda::leituraPreAutorizacao() {
    while (Recupera_Pre(session_, grid_, grid_.maxRows())) {
        QCoreApplication::processEvents();
        const qint64 pagina = leadingNumber(GetCampo(session_, QStringLiteral("900-000")));
        if (pagina == 0) break;
        if (!Mensagem_ElegPortador(session_, static_cast<qint16>(pagina))) break;
    }
    const bool lidos = grid_.maxRows() > 0;
    session_.produtosLidos = lidos;
    primeiraAtivacao_ = !lidos;
    fraProduto->setVisible(!lidos);
    if (lidos) grid_.setActiveRow(1);
}

void FormPreVenda::refresh() {
    spdProduto->refresh();
}

void FormPreVenda::Form_Activate() {
    txtNSU->setText(session_.nsu);
    session_.settings.TelaAtual = telaAtual_;
    focaPesquisa();
    if (primeiraAtivacao_) {
        cmdAdicionaProduto->setEnabled(true);
        primeiraAtivacao_ = false;
        return;
    }
    mostraTitulo();
    mostraTotais();
    focaGrid();
}

void FormPreVenda::mostraTotais() {
    const PreSaleTotals totals = calculaTotais(grid_);
    txtTotVend->setText(textoTotal(totals.venda));
    txtTotCred->setText(textoTotal(totals.receber));
    txtTotBen->setText(textoTotal(totals.beneficios()));
    refresh();
}

void FormPreVenda::focaPesquisa() {
    if (!fraProduto->isHidden() && txtPesquisa->isEnabled()) txtPesquisa->setFocus();
}

void FormPreVenda::focaGrid() {
    if (spdProduto->isEnabled() && !spdProduto->isHidden()) spdProduto->setFocus();
}

bool FormPreVenda::Form_KeyDown(int key) {
    auto press = [](QPushButton* button, const std::function<void()>& handler) {
        if (button->isEnabled()) handler();
        return true;
    };
    switch (key) {
        case Qt::Key_F3:
            return press(cmdPesquisa, [this] { cmdPesquisa_Click(); });
        case Qt::Key_F5:
            return press(cmdConfirma, [this] { cmdConfirma_Click(); });
        case Qt::Key_F8:
            return press(cmdExcluir, [this] { cmdExcluir_Click(); });
        case Qt::Key_F10:
            return press(cmdEditar, [this] { cmdEditar_Click(); });
        case Qt::Key_F12:
            ConfirmaSaida(session_.dialogs, [this] { host_.endTheProgram(); });
            return true;
        case Qt::Key_Escape:
            return press(btnCancel, [this] { btnCancel_Click(); });
        default:
            return false;
    }
}

FormConsultaProdutos& FormPreVenda::consulta() {
    if (!consulta_)
        consulta_ = std::make_unique<FormConsultaProdutos>(session_, host_, grid_, produto_, [this] {
            if (fechada_) return;
            show();
            raise();
            Form_Activate();
        });
    return *consulta_;
}

void FormPreVenda::closeEvent(QCloseEvent* event) {
    if (!fechada_) guarded(session_.reporter, "FormPre_UnLoad", [&] { Form_Unload(); });
    event->accept();
}

void FormPreVenda::Form_Unload() {
    fechada_ = true;
    host_.caption(QString());
    host_.closeRoutine(telaAtual_, {});
    consulta_.reset();
    if (host_.showCardScreen) host_.showCardScreen();
}

void abreFormPreVenda(ClientSession& session, const SaleHost& host) {
    auto* form = new FormPreVenda(session, host);
    form->setAttribute(Qt::WA_DeleteOnClose);
    widgets::placeInScreenArea(*form, host.screenArea);
    form->abre();
}

}  // namespace vtx::client::sale

#include "sale/FormConsultaProdutos.h"

#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "field/LeadingNumber.h"
#include "messaging/RequestBuilders.h"
#include "sale/FormSelecaoProduto.h"
#include "sale/PreSaleGrid.h"
#include "sale/SaleControls.h"
#include "widgets/ConfirmaSaida.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"
#include "widgets/GridView.h"
#include "widgets/Hourglass.h"
#include "widgets/KeyPreview.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::sale {
namespace {

using widgets::named;

const QString kFormConsultaProdutosSection = QStringLiteral("FormConsultaProdutos");
const QString kTelaAtual = QStringLiteral("CONSULTAPRODUTOS");
const QString kFormConsultaProdutosTitle = QStringLiteral("Atenção");
const QString kFormConsultaProdutosTitulo = QStringLiteral("Vantorix Client      Tela 0010 - Consulta Produtos    ");

// The grid's key downs, before the view moves its current row.
class GridKeys : public QObject {
public:
    GridKeys(QObject& owner, std::function<bool(int)> keyDown)
        : QObject(&owner), keyDown_(std::move(keyDown)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return keyDown_(key);
    }

private:
    std::function<bool(int)> keyDown_;
};

}  // namespace

FormConsultaProdutos::FormConsultaProdutos(ClientSession& session, const SaleHost& host,
                                           GridModel& preVenda, ProdutoAtual& produto,
                                           std::function<void()> retorno, QWidget* parent)
    : QDialog(parent),
      session_(session),
      host_(host),
      preVenda_(preVenda),
      produto_(produto),
      retorno_(std::move(retorno)) {
    setObjectName(kFormConsultaProdutosSection);
    setWindowTitle(QStringLiteral("Consulta Produtos"));
    configuraColunasConsulta(grid_);
    buildControls();
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    host_.closeRoutine(kTelaAtual, [this] { cmdRetorna_Click(); });
    // One place for the list's whole life, however often it is shown.
    widgets::placeInScreenArea(*this, host_.screenArea);
    hide();
    guarded(session_.reporter, "Form_Load", [&] { Form_Load(); });
}

FormConsultaProdutos::~FormConsultaProdutos() {
    host_.closeRoutine(kTelaAtual, {});
    // The view writes the operator's selection into grid_: it goes first.
    delete spdProduto;
}

void FormConsultaProdutos::buildControls() {
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    lblNSU = named(new QLabel(QStringLiteral("NSU Operadora")), "lblNSU");
    txtNSU = named(new QLineEdit, "txtNSU");
    txtNSU->setReadOnly(true);
    txtNSU->setFocusPolicy(Qt::NoFocus);
    top->addWidget(lblNSU);
    top->addWidget(txtNSU);
    top->addStretch();
    root->addLayout(top);

    spdProduto = named(new widgets::GridView(grid_, this), "spdProduto");
    root->addWidget(spdProduto, 1);
    lblalerta = named(new QLabel(kTextoMaisItens), "lblalerta");
    lblalerta->hide();
    root->addWidget(lblalerta);

    cmdConfirma = botao("cmdConfirma", "F5 - C&onfirma Produto");
    cmdRetorna = botao("cmdRetorna", "F9 - &Produtos Selecionados");
    root->addLayout(widgets::evenButtonRow({cmdConfirma, cmdRetorna}, 30, 8));
    connect(cmdConfirma, &QPushButton::clicked, this, [this] { cmdConfirma_Click(); });
    connect(cmdRetorna, &QPushButton::clicked, this, [this] { cmdRetorna_Click(); });
    connect(spdProduto, &QAbstractItemView::doubleClicked, this, [this] { cmdConfirma_Click(); });
    spdProduto->installEventFilter(new GridKeys(*spdProduto, [this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdConfirma_Click();
            return true;
        }
        spdProduto_KeyDown(key);
        return false;  // the view moves on to the rows just added
    }));
    resize(760, 460);
}

void FormConsultaProdutos::Form_Load() {
    txtNSU->setText(session_.nsu);
    host_.printEnabled(false);
    if (host_.screenArea == nullptr) widgets::CentralizaJanela(*this);
    host_.caption(tituloComData(session_, kFormConsultaProdutosTitulo));
    const int tipo = session_.settings.TipoEstab;
    aplicaBotao(*cmdConfirma, session_.captions.entry(kFormConsultaProdutosSection, QStringLiteral("CmdConfirma_Caption"), tipo),
                QStringLiteral("F5 - C&onfirma Produto"));
    aplicaBotao(*cmdRetorna, session_.captions.entry(kFormConsultaProdutosSection, QStringLiteral("CmdRetorna_Caption"), tipo),
                QStringLiteral("F9 - &Produtos Selecionados"));
    lblNSU->setText(legenda(
        session_.captions.entry(QStringLiteral("FormPreVenda"), QStringLiteral("lblnsu"), tipo),
        QStringLiteral("NSU Operadora")));
}

void FormConsultaProdutos::Form_Activate() {
    host_.caption(tituloComData(session_, kFormConsultaProdutosTitulo));
    session_.settings.TelaAtual = kTelaAtual;
    txtNSU->setText(session_.nsu);
    atualiza();
    if (grid_.maxRows() > 0 && grid_.activeRow() == 0) grid_.setActiveRow(1);
    spdProduto->refresh();
    spdProduto->setFocus();
}

int FormConsultaProdutos::exec() {
    Form_Activate();
    return QDialog::exec();
}

void FormConsultaProdutos::mostra() {
    show();
    raise();
    Form_Activate();
}

bool FormConsultaProdutos::maisItens() const {
    return leadingNumber(session_.maisItens) != 0;
}

void FormConsultaProdutos::atualiza() {
    spdProduto->refresh();
    lblalerta->setVisible(maisItens());
}

bool FormConsultaProdutos::Form_KeyDown(int key) {
    switch (key) {
        case Qt::Key_F5:
            if (cmdConfirma->isEnabled()) cmdConfirma_Click();
            return true;
        case Qt::Key_F9:
            if (cmdRetorna->isEnabled()) cmdRetorna_Click();
            return true;
        case Qt::Key_F12:
            if (cmdRetorna->isEnabled())
                ConfirmaSaida(session_.dialogs, [this] { host_.endTheProgram(); });
            return true;
        default:
            return false;
    }
}

bool FormConsultaProdutos::spdProduto_KeyDown(int key) {
    bool asked = false;
    guarded(session_.reporter, "spdProduto_KeyDown", [&] {
        if (key != Qt::Key_PageDown && key != Qt::Key_Down) return;
        if (grid_.maxRows() == 0 || grid_.activeRow() != grid_.maxRows() || !maisItens()) return;
        asked = true;
        setHourglass(true);
        const qint16 pagina = static_cast<qint16>(leadingNumber(session_.maisItens));
        if (!Mensagem_Consulta_Produtos(session_, pesquisa_, pagina, grid_,
                                        ProductQueryTarget::QueryGrid)) {
            session_.dialogs.message(QStringLiteral("Produto não encontrado!"), kFormConsultaProdutosTitle,
                                     MessageIcon::Critical);
        } else if (spdProduto->isEnabled()) {
            spdProduto->setFocus();
        }
        atualiza();
        setHourglass(false);
    });
    return asked;
}

void FormConsultaProdutos::cmdConfirma_Click() {
    guarded(session_.reporter, "cmdConfirma_Click", [&] {
        if (grid_.maxRows() == 0) {
            session_.dialogs.message(QStringLiteral("Não existem produto selecionado!"), kFormConsultaProdutosTitle,
                                     MessageIcon::Critical);
            spdProduto->setFocus();
            return;
        }
        if (!ObtemProduto(produto_, grid_, OrigemProduto::Consulta)) return;
        session_.novoProduto = true;
        FormSelecaoProduto entrada(session_, host_, preVenda_, produto_);
        executaModal(session_, host_, entrada, entrada);
        done(QDialog::Accepted);
        if (retorno_) retorno_();
    });
}

void FormConsultaProdutos::cmdRetorna_Click() {
    guarded(session_.reporter, "cmdRetorna_Click", [&] {
        done(QDialog::Rejected);
        if (retorno_) retorno_();
    });
}

void FormConsultaProdutos::reject() {
    cmdRetorna_Click();
}

}  // namespace vtx::client::sale

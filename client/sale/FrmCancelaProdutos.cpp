#include "sale/FrmCancelaProdutos.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "core/NumericText.h"
#include "messaging/GridLoaders.h"
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

const QString kFrmCancelaProdutosSection = QStringLiteral("frmCancelaProdutos");
const QString kFrmCancelaProdutosAtencao = QStringLiteral("Atenção");

// The products summary grid's columns this screen reads (1-based).
constexpr int kColunaCodigo = 5;
constexpr int kColunaDescricao = 8;
constexpr int kColunaQuantidade = 11;

constexpr int kFrmCancelaProdutosEspaco = 6;
constexpr int kLarguraProduto = 320;
constexpr int kFrmCancelaProdutosAlturaBotao = 28;

QString inteiro(double value) {
    return QString::number(static_cast<qint64>(value));
}

}  // namespace

FrmCancelaProdutos::FrmCancelaProdutos(ClientSession& session, SaleHost host,
                                       const GridModel& produtos, int linha, QWidget* parent)
    : QDialog(parent), session_(session), host_(std::move(host)) {
    setObjectName(QStringLiteral("frmCancelaProdutos"));
    setWindowTitle(QStringLiteral("Cancela Item"));
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFrmCancelaProdutosEspaco * 2);
    auto* form = new QFormLayout;
    form->setHorizontalSpacing(kFrmCancelaProdutosEspaco * 2);
    lblProduto = named(new QLabel(QStringLiteral("Produto:")), "lblProduto");
    lblQtd = named(new QLabel(QStringLiteral("Qtd a Cancelar:")), "lblQtd");
    txtProduto = named(new QLineEdit, "txtProduto");
    txtProduto->setReadOnly(true);
    txtProduto->setFocusPolicy(Qt::NoFocus);
    txtProduto->setMinimumWidth(kLarguraProduto);
    txtQuantidade = named(new QLineEdit, "txtQuantidade");
    form->addRow(lblProduto, txtProduto);
    form->addRow(lblQtd, txtQuantidade);
    root->addLayout(form);
    cmdOk = named(new QPushButton(QStringLiteral("F3 - &OK")), "cmdOk");
    cmdCancel = named(new QPushButton(QStringLiteral("ESC - &Cancel")), "cmdCancel");
    for (QPushButton* b : {cmdOk, cmdCancel}) b->setAutoDefault(false);
    root->addLayout(widgets::evenButtonRow({cmdOk, cmdCancel}, kFrmCancelaProdutosAlturaBotao, kFrmCancelaProdutosEspaco));
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    CharacterFilter::install(*txtQuantidade, teclaQuantidadeAceita);
    widgets::SelectOnFocusFilter::install(*txtQuantidade);
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    Form_Load(produtos, linha);
}

void FrmCancelaProdutos::Form_Load(const GridModel& produtos, int linha) {
    guarded(session_.reporter, "frmCancelaProdutos_Form_Load", [&] {
        txtProduto->setText(produtos.text(linha, kColunaCodigo) + QStringLiteral("  -  ") +
                            produtos.text(linha, kColunaDescricao));
        txtQuantidade->setText(inteiro(valueOf(produtos.text(linha, kColunaQuantidade))));
        const int tipo = session_.settings.TipoEstab;
        auto entry = [&](const char* key) {
            return session_.captions.entry(kFrmCancelaProdutosSection, QString::fromLatin1(key), tipo);
        };
        aplicaCaption(*lblProduto, entry("lblProduto"));
        aplicaCaption(*lblQtd, entry("lblQtd"));
        aplicaCaption(*cmdOk, entry("cmdOk_Caption"));
        aplicaCaption(*cmdCancel, entry("cmdCancel_Caption"));
        adjustSize();
        widgets::CentralizaJanela(*this);
    });
}

void FrmCancelaProdutos::cmdOk_Click() {
    cmdOk->setEnabled(false);
    setHourglass(true);
    bool fechar = false;
    guarded(session_.reporter, "cmdOk_Click", [&] {
        ProductLists& lista = session_.produtos;
        const QString digitada = txtQuantidade->text();
        if (lista.quantidade.isEmpty() ||
            !quantidadeCancelavel(lista.quantidade.at(0), digitada)) {
            setHourglass(false);
            session_.dialogs.message(kTextoQuantidadeMaior, kFrmCancelaProdutosAtencao, MessageIcon::Critical);
            if (txtQuantidade->isEnabled() && !txtQuantidade->isReadOnly())
                txtQuantidade->setFocus();
            return;
        }
        lista.quantidade[0] = inteiro(valueOf(digitada));
        session_.tipoTransacao = session_.settings.TelaAtual;
        const bool aceito = Mensagem_Cancelamento(session_, false);
        setHourglass(false);
        informaCancelamentoItem(session_, host_, aceito);
        fechar = true;
    });
    cmdOk->setEnabled(true);
    setHourglass(false);
    if (fechar) done(QDialog::Accepted);
}

void FrmCancelaProdutos::cmdCancel_Click() {
    done(QDialog::Rejected);
}

bool FrmCancelaProdutos::Form_KeyDown(int key) {
    bool handled = false;
    guarded(session_.reporter, "FormCancelaProdutosForm_KeyDown", [&] {
        if (key == Qt::Key_F3) {
            handled = true;
            if (!cmdOk->isHidden() && cmdOk->isEnabled()) cmdOk_Click();
        } else if (key == Qt::Key_Escape) {
            handled = true;
            if (cmdCancel->isEnabled()) cmdCancel_Click();
        }
    });
    return handled;
}

bool abreFrmCancelaProdutos(ClientSession& session, const SaleHost& host,
                            const GridModel& produtosDaTransacao) {
    if (!CancelaItem_Grid(session, produtosDaTransacao)) return false;
    const std::vector<int> selecionadas = produtosDaTransacao.selectedRows();
    if (selecionadas.size() != 1) {
        session.dialogs.message(selecionadas.empty() ? kTextoSelecioneProduto : kTextoSomenteUmProduto,
                                QStringLiteral("Atenção"), MessageIcon::Warning);
        return false;
    }
    // The row whose product is in the cancellation list: with one row
    // selected it is the one the operator chose, whichever row is active.
    FrmCancelaProdutos form(session, host, produtosDaTransacao, selecionadas.front());
    widgets::placeInScreenArea(form, host.screenArea);
    session.dialogs.showModal(form);
    return true;
}

}  // namespace vtx::client::sale

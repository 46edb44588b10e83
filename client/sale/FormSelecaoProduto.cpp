#include "sale/FormSelecaoProduto.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "core/NumericText.h"
#include "messaging/Amounts.h"
#include "messaging/PriceLookup.h"
#include "sale/DiscountEntry.h"
#include "sale/PreSaleGrid.h"
#include "sale/ProductEntryCheck.h"
#include "sale/ProductPricing.h"
#include "sale/SaleControls.h"
#include "widgets/AmountEntry.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"
#include "widgets/Hourglass.h"
#include "widgets/KeyPreview.h"

namespace vtx::client::sale {
namespace {

using widgets::named;

const QString kFormSelecaoProdutoSection = QStringLiteral("FormSelecaoProduto");
const QString kFormSelecaoProdutoTitle = QStringLiteral("Atenção");

// The switch of `tipoEstab` (1 to 3) in a three-character switch string.
bool permite(const QString& switches, int tipoEstab) {
    return tipoEstab >= 1 && switches.mid(tipoEstab - 1, 1) == QStringLiteral("Y");
}

// Locked boxes are read-only and out of the tab order.
void trava(QLineEdit& box, bool locked) {
    box.setReadOnly(locked);
    box.setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

QString formata(const QString& amount) {
    const auto value = amountValue(amount);
    return value ? formatAmount(*value) : amount;
}

}  // namespace

FormSelecaoProduto::FormSelecaoProduto(ClientSession& session, const SaleHost& host,
                                       GridModel& preVenda, ProdutoAtual& produto, QWidget* parent)
    : QDialog(parent), session_(session), host_(host), preVenda_(preVenda), produto_(produto) {
    setObjectName(kFormSelecaoProdutoSection);
    setWindowTitle(QStringLiteral("Seleção do Produto"));
    buildControls();
    instalaTeclas();
    guarded(session_.reporter, "Form_Load", [&] { PreencheCampos(); });
}

void FormSelecaoProduto::buildControls() {
    auto* root = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto row = [&](QLabel*& label, const char* labelName, const char* caption, QLineEdit*& box,
                   const char* boxName) {
        label = named(new QLabel(QString::fromUtf8(caption)), labelName);
        box = named(new QLineEdit, boxName);
        form->addRow(label, box);
    };
    row(lblDescr_Produto, "lblDescr_Produto", "Produto", txtProduto, "txtProduto");
    row(lblFabricante, "lblFabricante", "Fabricante", txtFabricante, "txtFabricante");
    row(lblEmbalagem, "lblEmbalagem", "Emb.", txtEmbalagem, "txtEmbalagem");
    row(lblQtd_Canc, "lblQtd_Canc", "Quantidade", txtQuantidade, "txtQuantidade");
    row(lblValBrtPrd, "lblValBrtPrd", "Valor Bruto Produto", txtPrc_Bruto_Prd, "txtPrc_Bruto_Prd");
    row(lblValDescPrd, "lblValDescPrd", "Valor Desc Produto", txtValDescPrd, "txtValDescPrd");
    row(lblValLiqPrd, "lblValLiqPrd", "Valor Líquido", txtPrc_Liq_Prd, "txtPrc_Liq_Prd");
    row(lblValCredPrd, "lblValCredPrd", "Valor a Receber Loja", txValor_Cred_Prd,
        "txValor_Cred_Prd");
    row(lblCompl1, "lblCompl1", "Campo complementar", txtComplemento1, "txtComplemento1");
    for (QLineEdit* box : {txtProduto, txtFabricante, txtEmbalagem, txtPrc_Liq_Prd, txValor_Cred_Prd})
        trava(*box, true);
    for (QLineEdit* box : {txtPrc_Bruto_Prd, txtValDescPrd, txtPrc_Liq_Prd, txValor_Cred_Prd})
        box->setAlignment(Qt::AlignRight);
    root->addLayout(form);

    cmdOk = botao("cmdOk", "F3 - &OK");
    cmdCancel = botao("cmdCancel", "ESC - &Cancel");
    root->addLayout(widgets::evenButtonRow({cmdOk, cmdCancel}, 30, 8));
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    resize(460, 360);
}

void FormSelecaoProduto::instalaTeclas() {
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    aceitaSoDigitos(*txtQuantidade);
    onEnterKey(*txtQuantidade, [this] { cmdOk_Click(); });
    widgets::AmountEntryFilter::install(*txtPrc_Bruto_Prd);
    DiscountEntryFilter::install(*txtValDescPrd);
    onEnterKey(*txtComplemento1, [this] { widgets::EnterTab(*txtComplemento1); });
    onFocusOut(*txtPrc_Bruto_Prd, [this] {
        guarded(session_.reporter, "txtPrc_Bruto_Prd_LostFocus", [&] { CalculaPrecoLiquido(); });
    });
    onFocusOut(*txtValDescPrd, [this] {
        guarded(session_.reporter, "txtValDescPrd_LostFocus", [&] { txtValDescPrd_LostFocus(); });
    });
    connect(txtPrc_Liq_Prd, &QLineEdit::textChanged, this, [this] { CalculaValorReceberLoja(); });
}

void FormSelecaoProduto::PreencheCampos() {
    const int tipo = session_.settings.TipoEstab;
    auto entry = [&](const char* key) {
        return session_.captions.entry(kFormSelecaoProdutoSection, QString::fromLatin1(key), tipo);
    };
    const std::pair<QLabel*, const char*> labels[] = {
        {lblDescr_Produto, "lblDescr_Produto"}, {lblFabricante, "lblFabricante"},
        {lblQtd_Canc, "lblQtd_Canc"},           {lblValDescPrd, "lblValDescPrd"},
        {lblEmbalagem, "lblEmbalagem"},         {lblValBrtPrd, "lblValBrtPrd"},
        {lblValLiqPrd, "lblValLiqPrd"},         {lblValCredPrd, "lblValCredPrd"}};
    for (const auto& [label, key] : labels) label->setText(legenda(entry(key), label->text()));
    aplicaBotao(*cmdOk, entry("cmdOk_Caption"), QStringLiteral("F3 - &OK"));
    aplicaBotao(*cmdCancel, entry("cmdCancel_Caption"), QStringLiteral("ESC - &Cancel"));
    const qint16 maxQuantidade = entry("lblQtd_Canc").maxLength;
    if (maxQuantidade > 0) txtQuantidade->setMaxLength(maxQuantidade);

    if (valueOf(produto_.quantidade) > 0) txtQuantidade->setText(produto_.quantidade);

    const QString loja = session_.settings.IdentificaCartaoDS ? session_.lojaSistemaPrecos : QString();
    ProcessaPreco(session_, produto_.codigo, produto_.tipoItem, produto_.descricao,
                  produto_.precoBruto, produto_.precoLiquido, produto_.valorReceber, loja,
                  produto_.desconto, produto_.valorCredito);

    txtProduto->setText(produto_.descricao.trimmed().isEmpty()
                            ? produto_.codigo
                            : produto_.codigo + QStringLiteral(" - ") + produto_.descricao);
    txtFabricante->setText(produto_.fabricante);
    const bool fabricante = !produto_.fabricante.trimmed().isEmpty();
    lblFabricante->setVisible(fabricante);
    txtFabricante->setVisible(fabricante);
    txtEmbalagem->setText(produto_.tipoItem);
    txtValDescPrd->setText(formata(produto_.desconto));
    txtPrc_Bruto_Prd->setText(formata(produto_.precoBruto));
    {
        // Filling the box is not a change of the net price by the operator.
        const QSignalBlocker quiet(txtPrc_Liq_Prd);
        txtPrc_Liq_Prd->setText(formata(produto_.precoLiquido));
    }
    txValor_Cred_Prd->setText(formata(produto_.valorReceber));
    descontoInicial_ = txtValDescPrd->text();
    liquidoInicial_ = produto_.precoLiquido;
    receberInicial_ = produto_.valorReceber;

    const IdentificationField campo3 = campoComplemento(session_);
    const bool complemento = campo3.asked() && !session_.produtosLidos;
    lblCompl1->setVisible(complemento);
    txtComplemento1->setVisible(complemento);
    if (complemento) {
        lblCompl1->setText(campo3.label.trimmed());
        if (campo3.maxLength > 0) txtComplemento1->setMaxLength(campo3.maxLength);
    }
    txtComplemento1->setFocusPolicy(complemento ? Qt::StrongFocus : Qt::NoFocus);
    adjustSize();

    if (session_.produtosLidos) {
        trava(*txtPrc_Bruto_Prd, true);
        trava(*txtValDescPrd, true);
    } else {
        trava(*txtPrc_Bruto_Prd, !permite(session_.settings.AlertaValBrId, tipo));
        trava(*txtValDescPrd, !permite(session_.settings.AlertaDescId, tipo));
    }
    txtQuantidade->setFocus();
}

bool FormSelecaoProduto::Form_KeyDown(int key) {
    QPushButton* target = key == Qt::Key_F3                                ? cmdOk
                          : key == Qt::Key_F12 || key == Qt::Key_Escape ? cmdCancel
                                                                          : nullptr;
    if (target == nullptr) return false;
    if (target->isEnabled()) target->click();
    return true;
}

void FormSelecaoProduto::focaCampo(QLineEdit* box) {
    if (box->isVisible() && box->isEnabled()) box->setFocus();
}

bool FormSelecaoProduto::ValidaCampos() {
    EntradaProduto entrada;
    entrada.quantidade = txtQuantidade->text();
    entrada.desconto = txtValDescPrd->text();
    entrada.precoBruto = txtPrc_Bruto_Prd->text();
    entrada.precoLiquido = txtPrc_Liq_Prd->text();
    entrada.complemento = txtComplemento1->text();
    entrada.complementoVisivel = !txtComplemento1->isHidden();
    entrada.campo3 = campoComplemento(session_);
    const std::optional<FalhaEntrada> falha = sale::ValidaCampos(entrada);
    if (!falha) return true;
    session_.dialogs.message(falha->mensagem, kFormSelecaoProdutoTitle, MessageIcon::Critical);
    switch (falha->campo) {
        case CampoProduto::Quantidade:
            focaCampo(txtQuantidade);
            break;
        case CampoProduto::Desconto:
            focaCampo(txtValDescPrd);
            break;
        case CampoProduto::PrecoBruto:
            focaCampo(txtPrc_Bruto_Prd);
            break;
        case CampoProduto::Complemento:
            if (!txtComplemento1->isReadOnly()) focaCampo(txtComplemento1);
            break;
    }
    return false;
}

void FormSelecaoProduto::cmdOk_Click() {
    guarded(session_.reporter, "cmdOk_Click", [&] {
        cmdOk->setEnabled(false);
        setHourglass(true);
        const bool valido = ValidaCampos();
        if (valido) {
            produto_.precoBruto = formata(txtPrc_Bruto_Prd->text());
            produto_.precoLiquido = formata(txtPrc_Liq_Prd->text());
            produto_.valorReceber = formata(txValor_Cred_Prd->text());
            produto_.desconto = formata(txtValDescPrd->text());
            produto_.quantidade = txtQuantidade->text();
            produto_.complemento = txtComplemento1->text();
            gravado_ = PrencherGridPre(session_, preVenda_, produto_);
        }
        setHourglass(false);
        cmdOk->setEnabled(true);
        if (valido) done(QDialog::Accepted);
    });
}

void FormSelecaoProduto::cmdCancel_Click() {
    done(QDialog::Rejected);
}

void FormSelecaoProduto::reject() {
    cmdCancel_Click();
}

void FormSelecaoProduto::CalculaPrecoLiquido() {
    if (const auto liquido = calculaPrecoLiquido(txtPrc_Bruto_Prd->text(), txtValDescPrd->text()))
        txtPrc_Liq_Prd->setText(*liquido);
}

void FormSelecaoProduto::txtValDescPrd_LostFocus() {
    if (descontoMenorQueOriginal(txtValDescPrd->text(), descontoInicial_)) {
        session_.dialogs.message(kTextoDescontoMenor, kFormSelecaoProdutoTitle, MessageIcon::Information);
        txtValDescPrd->setText(descontoInicial_);
        txtValDescPrd->setFocus();
        return;
    }
    CalculaPrecoLiquido();
}

void FormSelecaoProduto::CalculaValorReceberLoja() {
    guarded(session_.reporter, "CalculaValorReceberLoja", [&] {
        const ValorProporcional v =
            calculaValorReceber(txtPrc_Liq_Prd->text(), receberInicial_, liquidoInicial_);
        switch (v.falha) {
            case ValorProporcional::Falha::Nenhuma:
                txValor_Cred_Prd->setText(v.valor);
                break;
            case ValorProporcional::Falha::DivisaoPorZero:
                session_.reporter.TrataErro(QStringLiteral("CalculaValorReceberLoja"), 11,
                                            QStringLiteral("Division by zero"));
                break;
            case ValorProporcional::Falha::LiquidoNaoNumerico:
                break;
        }
    });
}

}  // namespace vtx::client::sale

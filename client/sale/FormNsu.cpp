#include "sale/FormNsu.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/EstablishmentLabels.h"
#include "core/Guarded.h"
#include "messaging/CarregaGrid.h"
#include "messaging/ReportFiles.h"
#include "messaging/RequestBuilders.h"
#include "sale/ApplyCaption.h"
#include "sale/CancelOutcome.h"
#include "sale/CancelRules.h"
#include "sale/ReceiptPrinting.h"
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

const QString kFormNsuSection = QStringLiteral("FormNsu");
const QString kFormNsuAtencao = QStringLiteral("Atenção");
const QString kFormNsuTitulo = QStringLiteral("Vantorix Client      Tela 0005 - Transações do Lote    ");

constexpr int kFormNsuEspaco = 6;
constexpr int kFormNsuAlturaBotao = 28;

QLineEdit* totalBox(const char* name) {
    auto* box = named(new QLineEdit, name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

FormNsu::FormNsu(ClientSession& session, SaleHost host, const QString& codigoAdministradora,
                 const QString& numeroLote, QWidget* parent)
    : QDialog(parent),
      session_(session),
      host_(std::move(host)),
      codigoAdministradora_(codigoAdministradora),
      numeroLote_(numeroLote) {
    setObjectName(QStringLiteral("FormNsu"));
    setWindowTitle(QStringLiteral("Cancelamento"));
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormNsuEspaco);
    auto* labels = new QHBoxLayout;
    lblCodigoEstab = named(new QLabel, "lblCodigoEstab");
    lblNomeEstab = named(new QLabel, "lblNomeEstab");
    lblAdministradora = named(new QLabel, "lblAdministradora");
    labels->addWidget(lblCodigoEstab);
    labels->addWidget(lblNomeEstab);
    labels->addStretch();
    labels->addWidget(lblAdministradora);
    root->addLayout(labels);
    lblLote = named(new QLabel, "lblLote");
    QFont bold = lblLote->font();
    bold.setBold(true);
    lblLote->setFont(bold);
    root->addWidget(lblLote);
    spdNsu = named(new widgets::GridView(grid_, this), "spdNsu");
    root->addWidget(spdNsu, 1);

    // The totals in two rows. The refund label (lblTotValorDebito) stands by
    // txtTotValorCredito and the debit label (lblTotValorCredito) by
    // txtTotValorDebito, as the printed header pairs them.
    auto* totals = new QGridLayout;
    lblTotValorLiqVda = named(new QLabel, "lblTotValorLiqVda");
    lblTotValorRepos = named(new QLabel, "lblTotValorRepos");
    lblTotValorDebito = named(new QLabel, "lblTotValorDebito");
    lblTotValorCredito = named(new QLabel, "lblTotValorCredito");
    txtTotValorLiqVda = totalBox("txtTotValorLiqVda");
    txtTotValorRepos = totalBox("txtTotValorRepos");
    txtTotValorCredito = totalBox("txtTotValorCredito");
    txtTotValorDebito = totalBox("txtTotValorDebito");
    totals->addWidget(lblTotValorLiqVda, 0, 0);
    totals->addWidget(txtTotValorLiqVda, 0, 1);
    totals->addWidget(lblTotValorRepos, 0, 2);
    totals->addWidget(txtTotValorRepos, 0, 3);
    totals->addWidget(lblTotValorDebito, 1, 0);
    totals->addWidget(txtTotValorCredito, 1, 1);
    totals->addWidget(lblTotValorCredito, 1, 2);
    totals->addWidget(txtTotValorDebito, 1, 3);
    root->addLayout(totals);

    cmdCanceltotal = named(new QPushButton(QStringLiteral("F4 - Cancela &Total")), "cmdCanceltotal");
    cmdCancelParcial =
        named(new QPushButton(QStringLiteral("F8 - &Produtos da Transação")), "cmdCancelParcial");
    cmdImprimir = named(new QPushButton(QStringLiteral("F11 - &Imprimir")), "cmdImprimir");
    cmdSair = named(new QPushButton(QStringLiteral("ESC - &Retorna")), "cmdSair");
    for (QPushButton* b : {cmdCanceltotal, cmdCancelParcial, cmdImprimir, cmdSair})
        b->setAutoDefault(false);
    root->addLayout(widgets::evenButtonRow({cmdCanceltotal, cmdCancelParcial, cmdImprimir, cmdSair},
                                           kFormNsuAlturaBotao, kFormNsuEspaco));
    connect(cmdCanceltotal, &QPushButton::clicked, this, [this] { cmdCanceltotal_Click(); });
    connect(cmdCancelParcial, &QPushButton::clicked, this, [this] { cmdCancelParcial_Click(); });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] { cmdImprimir_Click(); });
    connect(cmdSair, &QPushButton::clicked, this, [this] { cmdSair_Click(); });
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    resize(900, 560);
    Form_Load();
}

FormNsu::~FormNsu() {
    Form_Unload();
    // The view writes the operator's selection into grid_: it goes first.
    delete spdNsu;
}

CaptionEntry FormNsu::caption(const QString& key) const {
    return session_.captions.entry(kFormNsuSection, key, session_.settings.TipoEstab);
}

void FormNsu::mostraTela() {
    session_.settings.TelaAtual = kTelaTransacoesLote;
    host_.printEnabled(true);
    host_.caption(kFormNsuTitulo + session_.clock().date().toString(QStringLiteral("dd/MM/yyyy")));
}

void FormNsu::Form_Load() {
    mostraTela();
    widgets::PosicionaFormulario(*this);
    const EstablishmentLabels estabelecimento =
        establishmentLabels(session_.captions, session_.settings);
    lblCodigoEstab->setText(estabelecimento.codigo);
    lblNomeEstab->setText(estabelecimento.nome);
    lblAdministradora->setText(codigoAdministradora_.left(8));
    host_.closeRoutine(kTelaTransacoesLote, [this] { cmdSair_Click(); });
    host_.printRoutine(kTelaTransacoesLote, [this] { cmdImprimir_Click(); });
    carregado_ = MontaTela_FormNsu();
    SomaTotais();
}

bool FormNsu::MontaTela_FormNsu() {
    bool loaded = false;
    guarded(session_.reporter, "MontaTela_FormNsu", [&] {
        auto label = [&](QLabel* target, const char* key, const char* standard) {
            const QString text = caption(QString::fromLatin1(key)).caption;
            target->setText(text.isEmpty() ? QString::fromUtf8(standard) : text);
        };
        label(lblTotValorLiqVda, "lblTotValorLiqVda", "Total da Venda ");
        label(lblTotValorRepos, "lblTotValorRepos", "Total de Crédito ");
        label(lblTotValorCredito, "lblTotValorCredito", "Total de Dédito");
        label(lblTotValorDebito, "lblTotValorDebito", "Total Reembolso");
        lblLote->setText(caption(QStringLiteral("lblLote")).caption);

        const int tipo = session_.settings.TipoEstab;
        const QString pattern = reportFilePattern(ReportFileKind::TransacoesLote, tipo,
                                                  codigoAdministradora_, numeroLote_);
        if (!pattern.isEmpty()) {
            QString subtitle = lblLote->text();
            loaded = CarregaGrid(pattern, grid_, subtitle, session_);
            lblLote->setText(subtitle);
            if (grid_.maxRows() > 0) grid_.setActiveRow(1);
            spdNsu->refresh();
        }
        aplicaCaption(*cmdCanceltotal, caption(QStringLiteral("CmdCanceltotal_Caption")));
        aplicaCaption(*cmdCancelParcial, caption(QStringLiteral("cmdCancelParcial_Caption")));
    });
    return loaded;
}

void FormNsu::SomaTotais() {
    guarded(session_.reporter, "SomaTotais", [&] {
        totais_ = sale::SomaTotais(grid_);
        txtTotValorLiqVda->setText(totais_.valorLiqVda);
        txtTotValorRepos->setText(totais_.valorRepos);
        txtTotValorCredito->setText(totais_.valorCredito);
        txtTotValorDebito->setText(totais_.valorDebito);
        if (totais_.celulasIgnoradas > 0)
            session_.reporter.TrataErro(
                QStringLiteral("SomaTotais"),
                QStringLiteral("O arquivo do lote tem ") + QString::number(totais_.celulasIgnoradas) +
                    QStringLiteral(" valor(es) ilegível(is), fora dos totais."));
    });
}

bool FormNsu::CarregaDadosNSU() {
    bool loaded = false;
    guarded(session_.reporter, "CarregaDadosNSU", [&] {
        const int row = grid_.activeRow();
        if (row < 1) return;
        session_.pendente.tipo = grid_.text(row, BatchColumn::kTipoPendente);
        session_.nsu = grid_.text(row, BatchColumn::kNsu);
        session_.pendente.status = grid_.text(row, BatchColumn::kStatus);
        loaded = true;
    });
    return loaded;
}

void FormNsu::cmdCanceltotal_Click() {
    cmdCanceltotal->setEnabled(false);
    guarded(session_.reporter, "cmdCancelTotal_Click", [&] {
        setHourglass(true);
        if (!CarregaDadosNSU()) return;
        session_.tipoTransacao = session_.settings.TelaAtual;
        const bool aceito = Mensagem_Cancelamento(session_, true);
        setHourglass(false);
        informaCancelamento(session_, host_, aceito);
        mostraTela();  // the receipt screen turned the print entry off
    });
    cmdCanceltotal->setEnabled(true);
    setHourglass(false);
}

void FormNsu::cmdCancelParcial_Click() {
    cmdCancelParcial->setEnabled(false);
    bool abre = false;
    guarded(session_.reporter, "cmdCancelParcial_Click", [&] {
        setHourglass(true);
        if (!CarregaDadosNSU()) return;
        session_.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");
        abre = transacaoComProdutos(grid_.text(grid_.activeRow(), BatchColumn::kTipoTransacao));
    });
    setHourglass(false);
    cmdCancelParcial->setEnabled(true);
    if (!abre || !host_.openTransactionProducts) return;
    host_.openTransactionProducts();
    // A products summary that ran modally and has closed left TelaAtual to
    // the sales summary: the main window's commands are this screen's again.
    // One still open keeps "PRODUTOSDATRANSACAO".
    if (session_.settings.TelaAtual != QStringLiteral("PRODUTOSDATRANSACAO")) mostraTela();
}

QString FormNsu::linhaTotais() const {
    return sale::linhaTotais({lblTotValorLiqVda->text(), lblTotValorRepos->text(),
                              lblTotValorCredito->text(), lblTotValorDebito->text()},
                             totais_);
}

QString FormNsu::subtitulo() const {
    return lblLote->text();
}

void FormNsu::cmdImprimir_Click() {
    cmdImprimir->setEnabled(false);
    const QString procedure = QStringLiteral("cmdImprimir_Click");
    guarded(session_.reporter, "cmdImprimir_Click", [&] {
        Printer* printer = session_.printer;
        if (printer == nullptr || !spdNsu->printGrid(*printer, linhaTotais(), true)) {
            cmdImprimir->setEnabled(true);
            avisaFalhaImpressao(session_, procedure, textoFalhaImpressora(printer));
            return;
        }
        cmdImprimir->setEnabled(true);
        session_.dialogs.message(QStringLiteral("Impressão efetuada!"), kFormNsuAtencao,
                                 MessageIcon::Information);
    });
    cmdImprimir->setEnabled(true);
}

void FormNsu::cmdSair_Click() {
    done(QDialog::Rejected);
}

void FormNsu::reject() {
    cmdSair_Click();
}

void FormNsu::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void FormNsu::Form_Unload() {
    if (descarregado_) return;
    descarregado_ = true;
    host_.caption(QString());
    host_.closeRoutine(kTelaTransacoesLote, {});
    host_.printRoutine(kTelaTransacoesLote, {});
}

bool FormNsu::Form_KeyDown(int key) {
    bool handled = false;
    guarded(session_.reporter, "FormNSUForm_KeyDown", [&] {
        auto press = [&](QPushButton* button) {
            handled = true;
            if (button->isEnabled()) button->click();
        };
        switch (key) {
            case Qt::Key_F4:
                press(cmdCanceltotal);
                break;
            case Qt::Key_F8:
                press(cmdCancelParcial);
                break;
            case Qt::Key_F11:
                press(cmdImprimir);
                break;
            case Qt::Key_Escape:
                press(cmdSair);
                break;
            case Qt::Key_F12:
                handled = true;
                if (ConfirmaSaida(session_.dialogs, [this] { host_.endTheProgram(); }))
                    cmdSair_Click();
                break;
            default:
                break;
        }
    });
    return handled;
}

void abreFormNsu(ClientSession& session, const SaleHost& host, const QString& codigoAdministradora,
                 const QString& numeroLote) {
    FormNsu form(session, host, codigoAdministradora, numeroLote);
    if (!form.carregado()) return;  // Form_Activate: nothing to show
    widgets::placeInScreenArea(form, host.screenArea);
    session.dialogs.showModal(form);
}

}  // namespace vtx::client::sale

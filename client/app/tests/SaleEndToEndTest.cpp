// The shop's whole day at the counter, end to end: the real client screens
// against vtx-hostsim through LinkAgent, in the text and the ISO message
// form. A pre-authorisation of 13 products (two batches, 12 + 1) built
// product by product, the sale of the same card read back with its fiscal
// document, its receipt printed to a PDF and confirmed, the export file;
// a second sale of two products; from the administrative menu, the sales
// summary's batch (F8): the first sale cancelled whole (F4) and one unit of
// an item of the second cancelled (F8, F6), each with its receipt
// confirmed. The batch screen, read afresh, and the host's records agree,
// and every request went through LinkAgent.
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <fstream>
#include <iterator>
#include <map>

#include "app/tests/SaleStation.h"
#include "export/GerarArquivo.h"
#include "field/tests/QStringPrinter.h"
#include "messaging/GridLoaders.h"
#include "reports/FormResumo.h"
#include "reports/FormResumoProdutos.h"
#include "sale/FormImpressao.h"
#include "sale/FormNsu.h"
#include "sale/FormPreVenda.h"
#include "sale/FrmCancelaProdutos.h"
#include "screens/FormComplementar.h"
#include "screens/FormInicial.h"

namespace vtx::client::test {
namespace {

using sale::FormImpressao;
using sale::FormNsu;
using sale::FormPreVenda;
namespace Col = PreSaleColumn;
namespace Lote = sale::BatchColumn;
// Columns of the batch screen the sale layer does not name: the NSU a
// cancellation refers to, and the units.
constexpr int kNsuReferido = 8;
constexpr int kUnidades = 9;

const QString kCartao = QStringLiteral("6012345678901234");
const QString kCampo1 = QStringLiteral("123");

// The simulator's catalogue: the 13 products its plans cover.
const char* const kCatalogue[] = {
    "7890000000017", "7890000000024", "7890000000031", "7890000000048", "7890000000055",
    "7890000000062", "7890000000079", "7890000000086", "7890000000093", "7890000000109",
    "7890000000116", "7890000000123", "7890000000147"};

QString digits(const QString& text) {
    QString only;
    for (QChar c : text)
        if (c.isDigit()) only += c;
    return only;
}

// An amount of the screens ("1.234,56", "13,80") in cents.
qint64 cents(const QString& text) {
    return digits(text).toLongLong();
}

// The processing code (011-000, ISO bit 3) of a request as the host received it.
std::string codigoProcessamento(const vtx::hostsim::HostSimRecord& record) {
    const std::string& m = record.message;
    if (m.rfind("000-000=", 0) == 0) {
        const size_t at = m.find("011-000=");
        return at == std::string::npos ? std::string() : m.substr(at + 8, 6);
    }
    // ISO: the message type, the primary bitmap in hexadecimal, then bit 3.
    return m.size() >= 26 ? m.substr(20, 6) : std::string();
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What an operator saw on a receipt screen, and how it ended.
struct Recibo {
    QStringList linhas;
    QString nsu;  // the session's NSU while the receipt was on screen
    int resultado = 0;
    bool impresso = false;
};

class SaleEndToEnd : public SaleStation {
protected:
    void SetUp() override {
        SaleStation::SetUp();
        if (HasFatalFailure()) return;
        // The receipt screen, whichever screen opened it: printed on F8 when
        // asked, then confirmed on F5.
        dialogs_.onForm(QStringLiteral("FormImpressao"), [this](ModalForm& modal) {
            auto& form = dynamic_cast<FormImpressao&>(modal);
            Recibo recibo;
            recibo.linhas = form.linhas();
            recibo.nsu = session_->nsu;
            if (imprimeRecibo_) {
                form.Form_KeyDown(Qt::Key_F8);
                recibo.impresso = true;
            }
            form.Form_KeyDown(Qt::Key_F5);
            recibo.resultado = form.result();
            recibos_.push_back(recibo);
            return recibo.resultado;
        });
    }

    // The card screen's pre-authorisation (F2) or sale (F4) for the card;
    // the pre-sale screen it opened.
    FormPreVenda* abreTransacao(bool venda) {
        identifica(kCartao, kCampo1);
        EXPECT_TRUE(startup_->cardScreen()->Form_KeyDown(venda ? Qt::Key_F4 : Qt::Key_F2));
        return preVendaAberta();
    }

    // Searches `code` in the pre-sale screen as the operator types it (F3);
    // a code the host knows goes straight into the list.
    static void pesquisa(FormPreVenda& form, const char* code) {
        form.findChild<QLineEdit*>(QStringLiteral("txtPesquisa"))
            ->setText(QString::fromLatin1(code));
        EXPECT_TRUE(form.Form_KeyDown(Qt::Key_F3)) << code;
    }

    // A pre-authorisation of `codes` (searched in order), finalised on F5,
    // then the sale of the same card read back, its fiscal document typed
    // and finalised on F5; the sale screen's grid and totals as shown.
    struct Venda {
        GridModel grid;
        QString nsu;
        QString total;      // txtTotVend: the net value of the sale
        QString receber;    // txtTotCred: what the cardholder pays at the counter
        QString nsuPre;     // the pre-authorisation read back
        QString nsuTela;    // txtNSU of the sale screen
        qint64 valor = 0;
        qint64 credito = 0;  // what the administrator owes the shop for it
    };
    Venda vendaCompleta(const std::vector<const char*>& codes, const QString& documento) {
        Venda feita;
        FormPreVenda* pre = abreTransacao(false);
        EXPECT_NE(pre, nullptr) << shown();
        if (pre == nullptr) return feita;
        EXPECT_FALSE(pre->venda());
        feita.nsuPre = session_->nsu;
        for (const char* code : codes) pesquisa(*pre, code);
        pre->Form_KeyDown(Qt::Key_F5);
        EXPECT_TRUE(pre->fechada()) << shown();
        EXPECT_EQ(preVendaAberta(), nullptr);
        // The card screen is the current screen again, ready for the next card.
        EXPECT_EQ(session_->settings.TelaAtual, QStringLiteral("INCIAL")) << shown();
        EXPECT_TRUE(principal_->windowTitle().contains(QStringLiteral("Tela 0001")))
            << principal_->windowTitle().toStdString();
        FormInicial* card = startup_->cardScreen();
        EXPECT_FALSE(card->findChild<QPushButton*>(QStringLiteral("cmdConfirmaOper"))->isHidden());
        EXPECT_TRUE(card->findChild<QPushButton*>(QStringLiteral("cmdAdmin"))->isEnabled());
        EXPECT_TRUE(card->findChild<QLineEdit*>(QStringLiteral("txtCartao"))->isHidden());

        FormPreVenda* venda = abreTransacao(true);
        EXPECT_NE(venda, nullptr) << shown();
        if (venda == nullptr) return feita;
        EXPECT_TRUE(venda->venda());
        feita.grid = venda->grid();
        feita.total = venda->findChild<QLineEdit*>(QStringLiteral("txtTotVend"))->text();
        feita.receber = venda->findChild<QLineEdit*>(QStringLiteral("txtTotCred"))->text();
        feita.nsuTela = venda->findChild<QLineEdit*>(QStringLiteral("txtNSU"))->text();
        venda->findChild<QLineEdit*>(QStringLiteral("txtNrDocFiscal"))->setText(documento);
        const size_t antes = recibos_.size();
        venda->Form_KeyDown(Qt::Key_F5);
        EXPECT_TRUE(venda->fechada()) << shown();
        EXPECT_EQ(recibos_.size(), antes + 1) << "the sale's receipt: " << shown();
        if (recibos_.size() == antes + 1) feita.nsu = recibos_.back().nsu;
        feita.valor = cents(feita.total);
        feita.credito = feita.valor - cents(feita.receber);
        return feita;
    }

    // The administrative menu, reached from the card screen (F5).
    FormComplementar* menu() {
        startup_->cardScreen()->Form_KeyDown(Qt::Key_F5);
        return startup_->adminMenu();
    }

    // The sales summary (F6 of the menu) with its only batch active, and its
    // F8: the batch screen, given to `naTela` while it is open.
    void telaDoLote(FormComplementar& adm, std::function<void(FormNsu&)> naTela) {
        bool resumoAberto = false;
        bool loteAberto = false;
        dialogs_.onForm(QStringLiteral("FormResumo"), [&, this](ModalForm& modal) {
            resumoAberto = true;
            auto& resumo = dynamic_cast<reports::FormResumo&>(modal);
            EXPECT_EQ(resumo.grid().maxRows(), 1) << shown();
            resumo.grid().setActiveRow(1);
            QTest::keyClick(&resumo, Qt::Key_F8);
            QTest::keyClick(&resumo, Qt::Key_Escape);
            return 0;
        });
        dialogs_.onForm(QStringLiteral("FormNsu"), [&](ModalForm& modal) {
            loteAberto = true;
            auto& lote = dynamic_cast<FormNsu&>(modal);
            EXPECT_TRUE(lote.carregado());
            naTela(lote);
            lote.Form_KeyDown(Qt::Key_Escape);
            return 0;
        });
        EXPECT_TRUE(adm.Form_KeyDown(Qt::Key_F6));
        EXPECT_TRUE(resumoAberto) << shown();
        EXPECT_TRUE(loteAberto) << shown();
    }

    // The row of the batch screen whose NSU is `nsu`, 0 when none.
    static int linhaDoLote(const GridModel& lote, const QString& nsu) {
        for (int row = 1; row <= lote.maxRows(); ++row)
            if (leading(lote.text(row, Lote::kNsu)) == leading(nsu)) return row;
        return 0;
    }
    static qint64 leading(const QString& nsu) { return digits(nsu).toLongLong(); }

    // The host's current items of a transaction: code -> "type/units/cancelled/status".
    std::map<std::string, std::string> itensNoHost(const QString& nsu) const {
        std::map<std::string, std::string> items;
        const std::string state = host_->transactionState(hostNsu(nsu));
        const size_t at = state.find("items=");
        if (at == std::string::npos) return items;
        std::string list = state.substr(at + 6);
        list = list.substr(0, list.find(' '));
        size_t start = 0;
        while (start < list.size()) {
            size_t end = list.find(',', start);
            if (end == std::string::npos) end = list.size();
            const std::string item = list.substr(start, end - start);
            const size_t slash = item.find('/');
            if (slash != std::string::npos) items[item.substr(0, slash)] = item.substr(slash + 1);
            start = end + 1;
        }
        return items;
    }

    std::vector<Recibo> recibos_;
    bool imprimeRecibo_ = false;
};

TEST_P(SaleEndToEnd, PreSaleSaleReceiptExportAndCancellationsFromTheBatchScreen) {
    // 1. Thirteen products pre-authorised in two batches, then sold.
    imprimeRecibo_ = true;
    const Venda primeira = vendaCompleta({std::begin(kCatalogue), std::end(kCatalogue)},
                                         QStringLiteral("4455667"));
    ASSERT_FALSE(primeira.nsu.isEmpty()) << shown();
    ASSERT_EQ(primeira.grid.maxRows(), 13) << shown();
    int lotesPre = 0;
    for (const auto& record : host_->records())
        if (codigoProcessamento(record) == "800200") ++lotesPre;
    EXPECT_EQ(lotesPre, 2) << "two batches of the pre-authorisation (12 + 1)";

    EXPECT_EQ(leading(primeira.nsuTela), leading(primeira.nsu)) << "the NSU the sale screen showed";
    const Recibo& recibo = recibos_.at(0);
    EXPECT_TRUE(recibo.impresso);
    EXPECT_EQ(recibo.resultado, FormImpressao::Confirmado);
    EXPECT_GT(recibo.linhas.size(), 13) << "the product table and the host's lines";
    const std::string vendida = host_->transactionState(hostNsu(primeira.nsu));
    EXPECT_NE(vendida.find("kind=sale state=confirmed"), std::string::npos) << vendida;
    EXPECT_NE(vendida.find("linked=" + hostNsu(primeira.nsuPre)), std::string::npos) << vendida;
    EXPECT_NE(host_->transactionState(hostNsu(primeira.nsuPre)).find("state=used"),
              std::string::npos);
    EXPECT_EQ(itensNoHost(primeira.nsu).size(), 13u) << vendida;
    for (int row = 1; row <= primeira.grid.maxRows(); ++row) {
        const std::string code = digits(primeira.grid.text(row, Col::kCodigo)).toStdString();
        const auto items = itensNoHost(primeira.nsu);
        ASSERT_TRUE(items.count(code)) << code << " " << vendida;
        EXPECT_EQ(std::stoi(items.at(code).substr(2)),
                  primeira.grid.text(row, Col::kQuantidade).toInt())
            << code << ": the units the screen showed";
    }

    // The receipt printed to the station's PDF: its lines in order.
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        ADD_FAILURE() << "pdftotext (poppler-utils) is not installed";
    } else {
        QProcess reader;
        reader.start(pdftotext, {QStringLiteral("-layout"),
                                 QString::fromStdString(installPath("recibo.pdf")),
                                 QStringLiteral("-")});
        ASSERT_TRUE(reader.waitForFinished(60000));
        ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        const QString pdf = QString::fromUtf8(reader.readAllStandardOutput()).simplified();
        qsizetype at = 0;
        for (const QString& linha : recibo.linhas) {
            const QString wanted = linha.simplified();
            if (wanted.isEmpty()) continue;
            const qsizetype found = pdf.indexOf(wanted, at);
            EXPECT_GE(found, 0) << "line \"" << wanted.toStdString() << "\" after offset " << at
                                << " of:\n"
                                << pdf.toStdString();
            if (found >= 0) at = found + wanted.size();
        }
    }

    // 2. The export file: the sale as the screen showed it, byte for byte.
    ExportSale esperada;
    esperada.productCount = primeira.grid.maxRows();
    for (int row = 1; row <= primeira.grid.maxRows(); ++row) {
        esperada.codes << digits(primeira.grid.text(row, Col::kCodigo));
        esperada.quantities << primeira.grid.text(row, Col::kQuantidade).trimmed();
        esperada.grossPrices << primeira.grid.text(row, Col::kPrecoBruto).trimmed();
        esperada.netPrices << primeira.grid.text(row, Col::kPrecoLiquido).trimmed();
    }
    esperada.nsu = primeira.nsu;
    esperada.identification1 = kCampo1;
    esperada.now = relogio();
    const std::string exportado =
        installPath("Exporta/" + QString::number(leading(primeira.nsu)).toStdString() + ".TRC");
    ASSERT_TRUE(std::filesystem::exists(exportado)) << exportado;
    const std::string referencia = station_.root().native("referencia.TRC");
    ASSERT_TRUE(GerarArquivo(QString::fromStdString(referencia), esperada).ok);
    EXPECT_EQ(readAll(exportado), readAll(referencia));

    // A second sale: two units of one product (searched twice), one of another.
    imprimeRecibo_ = false;
    const Venda segunda =
        vendaCompleta({"7890000000062", "7890000000062", "7890000000123"}, QStringLiteral("778899"));
    ASSERT_FALSE(segunda.nsu.isEmpty()) << shown();
    ASSERT_EQ(segunda.grid.maxRows(), 2) << shown();
    EXPECT_EQ(segunda.grid.text(1, Col::kQuantidade).toInt(), 2);
    EXPECT_EQ(digits(segunda.grid.text(1, Col::kCodigo)), QStringLiteral("7890000000062"));
    const qint64 unitario062 = cents(segunda.grid.text(1, Col::kPrecoLiquido));
    EXPECT_EQ(itensNoHost(segunda.nsu)["7890000000062"].substr(0, 6), "1/2/0/")
        << host_->transactionState(hostNsu(segunda.nsu));

    // 3 and 4. From the administrative menu: the sales summary's batch.
    FormComplementar* adm = menu();
    ASSERT_NE(adm, nullptr) << shown();
    QString cancelamentoTotal;
    QString cancelamentoItem;
    telaDoLote(*adm, [&](FormNsu& lote) {
        // The whole first sale (F4).
        const int linha = linhaDoLote(lote.grid(), primeira.nsu);
        ASSERT_GT(linha, 0) << primeira.nsu.toStdString();
        EXPECT_EQ(lote.grid().text(linha, Lote::kStatus).trimmed(), QStringLiteral("CONF."));
        lote.grid().setActiveRow(linha);
        const size_t antes = recibos_.size();
        dialogs_.clear();
        lote.Form_KeyDown(Qt::Key_F4);
        ASSERT_EQ(recibos_.size(), antes + 1) << "the cancellation's receipt: " << shown();
        cancelamentoTotal = recibos_.back().nsu;
        ASSERT_FALSE(dialogs_.texts().isEmpty());
        EXPECT_EQ(dialogs_.texts().first(),
                  QStringLiteral("Número da autorização: ") + cancelamentoTotal);
        EXPECT_EQ(recibos_.back().resultado, FormImpressao::Confirmado);

        // One of the two units of the second sale's first product (F8, F6).
        dialogs_.onForm(QStringLiteral("FormResumoProdutos"), [this](ModalForm& modal) {
            auto& produtos = dynamic_cast<reports::FormResumoProdutos&>(modal);
            int linhaProduto = 0;
            for (int row = 1; row <= produtos.grid().maxRows(); ++row)
                for (int col = 1; col <= produtos.grid().maxCols(); ++col)
                    if (produtos.grid().text(row, col).trimmed() == QStringLiteral("7890000000062"))
                        linhaProduto = row;
            EXPECT_EQ(produtos.grid().maxRows(), 2) << shown();
            EXPECT_GT(linhaProduto, 0) << shown();
            produtos.grid().setRowSelected(linhaProduto, true);
            QTest::keyClick(&produtos, Qt::Key_F6);
            QTest::keyClick(&produtos, Qt::Key_Escape);
            return 0;
        });
        dialogs_.onForm(QStringLiteral("frmCancelaProdutos"), [](ModalForm& modal) {
            auto& item = dynamic_cast<sale::FrmCancelaProdutos&>(modal);
            EXPECT_EQ(item.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->text(),
                      QStringLiteral("2"));
            item.findChild<QLineEdit*>(QStringLiteral("txtQuantidade"))->setText("1");
            item.Form_KeyDown(Qt::Key_F3);
            return item.result();
        });
        const int outra = linhaDoLote(lote.grid(), segunda.nsu);
        ASSERT_GT(outra, 0) << segunda.nsu.toStdString();
        lote.grid().setActiveRow(outra);
        dialogs_.clear();
        lote.Form_KeyDown(Qt::Key_F8);
        EXPECT_EQ(dialogs_.forms(),
                  (QStringList{QStringLiteral("FormResumoProdutos"),
                               QStringLiteral("frmCancelaProdutos"),
                               QStringLiteral("FormImpressao")}))
            << shown();
        ASSERT_EQ(recibos_.size(), antes + 2) << "the item cancellation's receipt: " << shown();
        cancelamentoItem = recibos_.back().nsu;
        EXPECT_EQ(recibos_.back().resultado, FormImpressao::Confirmado);
    });
    ASSERT_FALSE(cancelamentoTotal.isEmpty());
    ASSERT_FALSE(cancelamentoItem.isEmpty());
    EXPECT_NE(leading(cancelamentoTotal), leading(primeira.nsu));
    EXPECT_NE(leading(cancelamentoItem), leading(cancelamentoTotal));
    ASSERT_EQ(recibos_.size(), 4u) << "two sales and two cancellations, each with its receipt";
    for (const Recibo& each : recibos_) {
        EXPECT_GT(each.linhas.size(), 1);
        EXPECT_FALSE(each.linhas.join(u'\n').contains(kCartao)) << "a receipt masks the card";
    }

    // 5. The host's records: the first sale cancelled, the second partially
    //    with one unit left, both cancellations confirmed.
    const std::string cancelada = host_->transactionState(hostNsu(primeira.nsu));
    EXPECT_NE(cancelada.find("kind=sale state=cancelled"), std::string::npos) << cancelada;
    const std::string parcial = host_->transactionState(hostNsu(segunda.nsu));
    EXPECT_NE(parcial.find("kind=sale state=confirmed"), std::string::npos) << parcial;
    EXPECT_EQ(itensNoHost(segunda.nsu)["7890000000062"].substr(0, 6), "1/2/1/") << parcial;
    EXPECT_EQ(itensNoHost(segunda.nsu)["7890000000123"].substr(0, 6), "1/1/0/") << parcial;
    for (const QString& nsu : {cancelamentoTotal, cancelamentoItem}) {
        const std::string state = host_->transactionState(hostNsu(nsu));
        EXPECT_NE(state.find("kind=cancellation state=confirmed"), std::string::npos) << state;
    }
    const std::string deItem = host_->transactionState(hostNsu(cancelamentoItem));
    EXPECT_NE(deItem.find("linked=" + hostNsu(segunda.nsu)), std::string::npos) << deItem;
    EXPECT_NE(deItem.find("items=7890000000062/1/1/"), std::string::npos) << deItem;

    // The batch screen read afresh from the files the host rewrote shows the
    // same: the states, what each cancellation gave back, and totals that
    // add up the sales and the cancellations as the sale screens showed them.
    telaDoLote(*adm, [&](FormNsu& lote) {
        const GridModel& g = lote.grid();
        EXPECT_EQ(g.maxRows(), 6) << "two pre-authorisations, two sales, two cancellations";
        auto celula = [&](const QString& nsu, int col) {
            return g.text(linhaDoLote(g, nsu), col).trimmed();
        };
        for (const QString& pre : {primeira.nsuPre, segunda.nsuPre})
            EXPECT_EQ(celula(pre, Lote::kStatus), QStringLiteral("UTILIZADA"));
        EXPECT_EQ(celula(primeira.nsu, Lote::kStatus), QStringLiteral("CANCELADA"));
        EXPECT_EQ(celula(segunda.nsu, Lote::kStatus), QStringLiteral("PARCIAL"));
        EXPECT_EQ(cents(celula(primeira.nsu, Lote::kValorLiqVda)), primeira.valor);
        EXPECT_EQ(cents(celula(segunda.nsu, Lote::kValorLiqVda)), segunda.valor);
        const std::pair<QString, QString> cancelamentos[] = {{cancelamentoTotal, primeira.nsu},
                                                             {cancelamentoItem, segunda.nsu}};
        for (const auto& [cancelamento, venda] : cancelamentos) {
            ASSERT_GT(linhaDoLote(g, cancelamento), 0) << cancelamento.toStdString();
            EXPECT_EQ(celula(cancelamento, Lote::kTipoTransacao), QStringLiteral("CN CANCELAMENTO"));
            EXPECT_EQ(leading(celula(cancelamento, kNsuReferido)), leading(venda));
        }
        // Given back: the whole first sale, one unit of the second's product.
        EXPECT_EQ(cents(celula(cancelamentoTotal, Lote::kValorCredito)), primeira.valor);
        EXPECT_EQ(celula(cancelamentoItem, kUnidades), QStringLiteral("1"));
        EXPECT_EQ(cents(celula(cancelamentoItem, Lote::kValorCredito)), unitario062);

        EXPECT_EQ(cents(lote.totais().valorLiqVda), primeira.valor + segunda.valor);
        EXPECT_EQ(cents(lote.totais().valorCredito), primeira.valor + unitario062);
        EXPECT_EQ(cents(lote.totais().valorRepos), primeira.credito + segunda.credito);
        EXPECT_EQ(cents(lote.totais().valorDebito), primeira.credito);
        EXPECT_GT(primeira.credito, 0);
        EXPECT_EQ(lote.findChild<QLineEdit*>(QStringLiteral("txtTotValorLiqVda"))->text(),
                  lote.totais().valorLiqVda);
    });

    // Every request of the screens reached the host through LinkAgent, and
    // every answer went back through it (the host's other request is
    // LinkAgent's own logon).
    int pedidos = 0;
    for (const auto& record : host_->records())
        if (record.message.rfind("0800", 0) != 0) ++pedidos;
    EXPECT_GT(pedidos, 30);
    EXPECT_EQ(agent_->waitForCount("message: Mensagem recebida", pedidos), pedidos);
    EXPECT_EQ(agent_->waitForCount("message: Enviando resposta.", pedidos), pedidos);
}

INSTANTIATE_TEST_SUITE_P(BothForms, SaleEndToEnd, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "Iso" : "Text"; });

}  // namespace
}  // namespace vtx::client::test

#include "reports/FormResumo.h"

#include <QLabel>
#include <QPushButton>

#include "core/NumericText.h"
#include "reports/FormResumoProdutos.h"
#include "messaging/ReportFiles.h"

namespace vtx::client::reports {
namespace {

// A caption entry's caption, or the screen's own text when the entry has none.
QString captionOr(const CaptionEntry& entry, const char* fallback) {
    return entry.caption.isEmpty() ? QString::fromUtf8(fallback) : entry.caption;
}

}  // namespace

FormResumo::FormResumo(ClientSession& session, Printer* printer, ReportHost host, QWidget* parent)
    : ReportScreen(QStringLiteral("FormResumo"), QStringLiteral("spdLote"), session, printer,
                   std::move(host), parent) {
    setWindowTitle(QStringLiteral("Resumo de Autorizações"));
    const CaptionEntry transacoes = caption(QStringLiteral("cmdTransacoesLote_caption"));
    const CaptionEntry produtos = caption(QStringLiteral("cmdProdutosLote_caption"));
    cmdTransacoesLote_ = addButton(QStringLiteral("cmdTransacoesLote"),
                                   captionOr(transacoes, "F8 - &Transações do Lote"));
    cmdProdutosLote_ =
        addButton(QStringLiteral("cmdProdutosLote"), captionOr(produtos, "F9 - &Produtos do Lote"));
    transacoesHabilitado_ = transacoes.enabled();
    cmdTransacoesLote_->setEnabled(transacoesHabilitado_);
    cmdTransacoesLote_->setVisible(false);  // until the batch screen is given
    cmdProdutosLote_->setEnabled(produtos.enabled());
    connect(cmdTransacoesLote_, &QPushButton::clicked, this, [this] { cmdTransacoesLote_Click(); });
    connect(cmdProdutosLote_, &QPushButton::clicked, this, [this] { cmdProdutosLote_Click(); });

    setSubtitulo(captionOr(caption(QStringLiteral("lblLotesDias")), "Lotes dos ultimos 7 dias"));
    const EstruturaPrincipal& s = session.settings;
    carregaRelatorio(
        QStringLiteral("Vantorix Client      Tela 0003 - Resumo de Autorizações    "),
        QStringLiteral("RESUMOVENDA"),
        reportFilePattern(ReportFileKind::ResumoVendas, s.TipoEstab, s.CodigoAdministradora));
}

void FormResumo::setTransacoesDoLote(std::function<void(const LoteSelecionado&)> abre) {
    abreTransacoes_ = std::move(abre);
    cmdTransacoesLote_->setVisible(static_cast<bool>(abreTransacoes_));
}

void FormResumo::CarregaDadosLote() {
    const int row = grid().activeRow();
    lote_ = LoteSelecionado{};
    if (row < 1) return;
    lote_.coluna1 = grid().text(row, 1);
    lote_.valorColuna1 = valueOf(lote_.coluna1);
    lote_.numeroLote = grid().text(row, 3);
    lote_.coluna4 = grid().text(row, 4);
}

void FormResumo::cmdTransacoesLote_Click() {
    if (!abreTransacoes_ || grid().maxRows() == 0) return;
    CarregaDadosLote();
    abreTransacoes_(lote_);
    mostraTitulo();
}

void FormResumo::cmdProdutosLote_Click() {
    if (grid().maxRows() == 0) return;
    CarregaDadosLote();
    session_.settings.TelaAtual = QStringLiteral("PRODUTOSDOLOTE");
    FormResumoProdutos produtos(session_, printer_, host_, lote_.numeroLote, this);
    session_.dialogs.showModal(produtos);
    mostraTitulo();
}

bool FormResumo::teclaFuncao(int key) {
    if (key == Qt::Key_F8) return pressiona(cmdTransacoesLote_);
    if (key == Qt::Key_F9) return pressiona(cmdProdutosLote_);
    return false;
}

}  // namespace vtx::client::reports

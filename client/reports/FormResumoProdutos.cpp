#include "reports/FormResumoProdutos.h"

#include <QPushButton>

#include "messaging/ReportFiles.h"
#include "widgets/GridView.h"

namespace vtx::client::reports {

FormResumoProdutos::FormResumoProdutos(ClientSession& session, Printer* printer, ReportHost host,
                                       const QString& numeroLote, QWidget* parent)
    : ReportScreen(QStringLiteral("FormResumoProdutos"), QStringLiteral("spdProdutos"), session,
                   printer, std::move(host), parent) {
    setWindowTitle(QStringLiteral("Resumo Produtos"));
    const CaptionEntry cancela = caption(QStringLiteral("cmdCancelaItem_Caption"));
    cmdCancelaItem_ = addButton(
        QStringLiteral("cmdCancelaItem"),
        cancela.caption.isEmpty() ? QStringLiteral("F6 - &Cancela Itens") : cancela.caption);
    cmdCancelaItem_->setEnabled(cancela.enabled());
    connect(cmdCancelaItem_, &QPushButton::clicked, this, [this] { cmdCancelaItem_Click(); });

    const EstruturaPrincipal& s = session.settings;
    doLote_ = s.TelaAtual == QStringLiteral("PRODUTOSDOLOTE");
    const QString pattern = doLote_ ? reportFilePattern(ReportFileKind::ProdutosLote, s.TipoEstab,
                                                        s.CodigoAdministradora, numeroLote)
                                    : reportFilePattern(ReportFileKind::ProdutosTransacao, s.TipoEstab,
                                                        s.CodigoAdministradora, session.nsu);
    mostraCancelaItem();
    carregaRelatorio(
        QStringLiteral("Vantorix Client      Tela 0006 - Resumo Produtos da Transação   "),
        QString(), pattern);
}

void FormResumoProdutos::setCancelaItem(std::function<void(GridModel&)> cancela) {
    cancelaItem_ = std::move(cancela);
    mostraCancelaItem();
}

void FormResumoProdutos::mostraCancelaItem() {
    cmdCancelaItem_->setVisible(!doLote_ && static_cast<bool>(cancelaItem_));
}

void FormResumoProdutos::cmdCancelaItem_Click() {
    if (doLote_ || !cancelaItem_) return;
    cancelaItem_(grid());
    spd_->refresh();
    mostraTitulo();
}

void FormResumoProdutos::done(int result) {
    session_.settings.TelaAtual = QStringLiteral("RESUMOVENDAS");
    ReportScreen::done(result);
}

bool FormResumoProdutos::teclaFuncao(int key) {
    return key == Qt::Key_F6 && pressiona(cmdCancelaItem_);
}

}  // namespace vtx::client::reports

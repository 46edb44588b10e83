// FormPreVenda: the commands — search, add, edit, delete, finalise, abandon
// — and the keys typed on the grid.
#include <QGroupBox>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Guarded.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"
#include "messaging/PriceSystem.h"
#include "messaging/ReceiptLines.h"
#include "messaging/RequestBuilders.h"
#include "sale/FiscalDocument.h"
#include "sale/FormConsultaProdutos.h"
#include "sale/FormPreVenda.h"
#include "sale/FormSelecaoProduto.h"
#include "sale/PreSaleGrid.h"
#include "sale/SaleControls.h"
#include "sale/SaleExport.h"
#include "sale/SearchText.h"
#include "widgets/GridView.h"
#include "widgets/Hourglass.h"

namespace vtx::client::sale {
namespace {

const QString kFormPreVendaCommandsTitle = QStringLiteral("Atenção");
constexpr int kProdutosPorPagina = 12;

}  // namespace

void FormPreVenda::cmdPesquisa_Click() {
    guarded(session_.reporter, "cmdPesquisa_Click", [&] {
        cmdPesquisa->setEnabled(false);
        setHourglass(true);
        QString pesquisa = txtPesquisa->text().trimmed();
        const RegraPesquisa regra = regraPesquisa(pesquisa, session_.settings.IdentificaCartaoDS);
        if (regra == RegraPesquisa::Vazia || regra == RegraPesquisa::CodigoLongo) {
            session_.dialogs.message(
                regra == RegraPesquisa::Vazia ? kTextoPesquisaVazia : kTextoCodigoLongo, kFormPreVendaCommandsTitle,
                MessageIcon::Critical);
            setHourglass(false);
            cmdPesquisa->setEnabled(true);
            focaPesquisa();
            return;
        }
        if (regra == RegraPesquisa::SistemaExterno) {
            const QString loja = session_.lojaSistemaPrecos.isEmpty() ? QStringLiteral("0000")
                                                                      : session_.lojaSistemaPrecos;
            PrecoExterno preco;
            if (lePrecoEan(session_, loja, pesquisa, preco) && !preco.associados.isEmpty() &&
                !preco.associados.first().trimmed().isEmpty())
                pesquisa = preco.associados.first().trimmed();
        }
        buscaProdutos(pesquisa);
        mostraTotais();
        txtPesquisa->clear();
        focaPesquisa();
        setHourglass(false);
        cmdPesquisa->setEnabled(true);
    });
}

// The product query for `pesquisa` into the query list, then the single
// result into the pre-sale grid or the list for the operator's choice.
void FormPreVenda::buscaProdutos(const QString& pesquisa) {
    FormConsultaProdutos& lista = consulta();
    GridModel& resultados = lista.grid();
    resultados.clear();
    session_.maisItens.clear();
    lista.setPesquisa(pesquisa);
    if (!Mensagem_Consulta_Produtos(session_, pesquisa, 0, resultados,
                                    ProductQueryTarget::QueryGrid)) {
        session_.dialogs.message(QStringLiteral("Produto não encontrado!"), kFormPreVendaCommandsTitle,
                                 MessageIcon::Critical);
        lista.atualiza();
        return;
    }
    // More pages while fewer than a page of products came; a page that
    // lists nothing new ends it too, whatever continuation it announces.
    while (session_.produtos.qtdProdutos < kProdutosPorPagina &&
           leadingNumber(session_.maisItens) != 0 && resultados.maxRows() > 0) {
        const int antes = resultados.maxRows();
        const auto pagina = static_cast<qint16>(leadingNumber(session_.maisItens));
        if (!Mensagem_Consulta_Produtos(session_, pesquisa, pagina, resultados,
                                        ProductQueryTarget::QueryGrid))
            break;
        if (resultados.maxRows() == antes) break;
    }
    lista.atualiza();
    const bool continua = leadingNumber(session_.maisItens) != 0;
    if (session_.produtos.qtdProdutos < 2 && !continua && resultados.maxRows() == 1) {
        adicionaProdutoUnico(grid_, resultados, 1);
        refresh();
    } else if (session_.produtos.qtdProdutos >= 2) {
        resultados.setActiveRow(1);
        session_.dialogs.showModal(lista);
    }
}

void FormPreVenda::cmdAdicionaProduto_Click() {
    guarded(session_.reporter, "cmdAdicionaProduto_Click", [&] { consulta().mostra(); });
}

void FormPreVenda::cmdEditar_Click() {
    guarded(session_.reporter, "cmdEditar_Click", [&] {
        cmdEditar->setEnabled(false);
        setHourglass(true);
        if (grid_.maxRows() == 0) {
            session_.dialogs.message(QStringLiteral("Não existe produto para ser editado"), kFormPreVendaCommandsTitle,
                                     MessageIcon::Critical);
        } else if (ObtemProduto(produto_, grid_, OrigemProduto::PreVenda)) {
            session_.novoProduto = false;
            FormSelecaoProduto entrada(session_, host_, grid_, produto_);
            executaModal(session_, host_, entrada, entrada);
        }
        Form_Activate();
        focaGrid();
        setHourglass(false);
        cmdEditar->setEnabled(true);
    });
}

void FormPreVenda::spdProduto_DblClick() {
    if (cmdAdicionaProduto->isEnabled()) cmdEditar_Click();
}

void FormPreVenda::spdProduto_KeyPress(int key) {
    guarded(session_.reporter, "spdProduto_KeyPress", [&] {
        if (key == 13) {
            cmdEditar_Click();
            return;
        }
        if (!txtPesquisa->isEnabled() || fraProduto->isHidden()) return;
        if (key == 8)
            txtPesquisa->clear();
        else if (key != 27)
            txtPesquisa->setText(txtPesquisa->text() + QChar(static_cast<char16_t>(key)));
        txtPesquisa->setFocus();
        txtPesquisa->deselect();
        txtPesquisa->setCursorPosition(static_cast<int>(txtPesquisa->text().size()));
    });
}

void FormPreVenda::cmdExcluir_Click() {
    guarded(session_.reporter, "cmdExcluir_Click", [&] {
        if (grid_.maxRows() > 0) {
            const int row = grid_.activeRow();
            // Only the row the operator is on; no row chosen deletes nothing.
            if (row >= 1 && row <= grid_.maxRows()) {
                grid_.deleteRows(row, 1);
                grid_.setMaxRows(grid_.maxRows() - 1);
                if (grid_.maxRows() > 0) grid_.setActiveRow(std::min(row, grid_.maxRows()));
            }
            if (grid_.maxRows() == 0) fraProduto->show();
        } else {
            session_.dialogs.message(QStringLiteral("Não existe produto a ser cancelado."), kFormPreVendaCommandsTitle,
                                     MessageIcon::Critical);
        }
        Form_Activate();
        focaPesquisa();
    });
}

void FormPreVenda::restauraBotoes() {
    cmdConfirma->setEnabled(true);
    cmdExcluir->setEnabled(true);
    cmdEditar->setEnabled(true);
    cmdAdicionaProduto->setEnabled(!session_.produtosLidos);
}

void FormPreVenda::cmdConfirma_Click() {
    guarded(session_.reporter, "cmdConfirma_Click", [&] {
        for (QPushButton* b : {cmdConfirma, cmdAdicionaProduto, cmdExcluir, cmdEditar})
            b->setEnabled(false);
        setHourglass(true);
        if (grid_.maxRows() == 0) {
            session_.dialogs.message(QStringLiteral("Não existem produtos."), kFormPreVendaCommandsTitle,
                                     MessageIcon::Critical);
            focaGrid();
            restauraBotoes();
            setHourglass(false);
            return;
        }
        const QString documento = txtNrDocFiscal->text();
        if (venda_) {
            const CaptionEntry campo = session_.captions.entry(
                QStringLiteral("FormPreVenda"), QStringLiteral("lblUsuario"),
                session_.settings.TipoEstab);
            if (const auto falha = validaDocumentoFiscal(documento, campo)) {
                session_.dialogs.message(*falha, kFormPreVendaCommandsTitle, MessageIcon::Critical);
                setHourglass(false);
                restauraBotoes();
                if (!txtNrDocFiscal->isHidden() && txtNrDocFiscal->isEnabled() &&
                    !txtNrDocFiscal->isReadOnly())
                    txtNrDocFiscal->setFocus();
                return;
            }
        }
        session_.settings.TelaAtual = telaAtual_;
        session_.tipoTransacao = telaAtual_;
        const bool aceito =
            CarregaItem_Grid(session_, grid_) && Mensagem_GeracaoPre(session_, grid_, documento);
        refresh();
        setHourglass(false);
        if (!aceito) {
            close();
            return;
        }
        const QString nsu = session_.nsu.trimmed();
        if (!nsu.isEmpty() && leadingNumber(nsu) != 0 &&
            !session_.settings.MsgApproval.trimmed().isEmpty())
            session_.dialogs.message(session_.settings.MsgApproval + QStringLiteral(" ") + session_.nsu,
                                     kFormPreVendaCommandsTitle, MessageIcon::Warning);
        if (venda_) {
            if (GetQtdLinha(session_) > 0 && host_.openReceipt) host_.openReceipt();
            consulta_.reset();
        }
        const QString arquivo = arquivoExportacao(session_.settings, session_.nsu);
        if (!arquivo.isEmpty()) {
            const ExportResult escrito = GerarArquivo(arquivo, vendaExportada(session_));
            if (!escrito.ok) session_.dialogs.message(escrito.message, kFormPreVendaCommandsTitle, MessageIcon::Critical);
        }
        session_.settings.TelaAtual.clear();
        restauraBotoes();
        close();
    });
}

void FormPreVenda::btnCancel_Click() {
    guarded(session_.reporter, "btnCancel_Click", [&] {
        MessageRequest box{kTextoAbandonar, kFormPreVendaCommandsTitle, MessageIcon::Critical, MessageButtons::YesNo,
                           MessageAnswer::No};
        if (session_.dialogs.showMessage(box) == MessageAnswer::Yes) close();
    });
}

}  // namespace vtx::client::sale

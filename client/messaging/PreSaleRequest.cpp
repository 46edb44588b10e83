#include "messaging/JournalSteps.h"
#include "messaging/MessageExchange.h"
#include "messaging/ReceiptLines.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {
namespace {

using detail::add;
using detail::cents7;
using detail::itemKey;

constexpr int kPreSaleRequestBatch = 12;
constexpr int kComplementWidth = 14;

// The complement of a pre-sale item (914): in the ISO form a 14-character
// field behind its length, "00" and 14 blanks when empty; in the text form
// its length ("00") and the complement.
QString complementoPreVenda(const QString& complemento, bool iso) {
    if (!iso) return QString::number(complemento.size()).rightJustified(2, u'0') + complemento;
    const QString formatted = detail::zeroFilled(complemento, kComplementWidth);
    if (formatted.isEmpty()) return QStringLiteral("00") + QString(kComplementWidth, u' ');
    const QString field = formatted.rightJustified(kComplementWidth, u' ');
    return QString::number(field.size()).rightJustified(2, u'0') + field;
}

// The complement of a sale item in the ISO form: 14 characters, no length.
QString complementoVendaIso(const QString& complemento) {
    const QString formatted = detail::zeroFilled(complemento, kComplementWidth);
    return formatted.rightJustified(kComplementWidth, u' ');
}

void addItem(ClientSession& session, int product, int index, bool venda) {
    const ProductLists& p = session.produtos;
    const bool iso = session.settings.MsgIso;
    add(session, itemKey("902", index), detail::zeroFilled(ProductLists::at(p.codigo, product), 13));
    add(session, itemKey("906", index), ProductLists::at(p.tipoItem, product));
    add(session, itemKey("905", index), detail::zeroFilled(ProductLists::at(p.quantidade, product), 3));
    add(session, itemKey("910", index), cents7(ProductLists::at(p.precoBruto, product)));
    const QString credito = ProductLists::at(p.valorCredito, product).trimmed();
    const bool temCredito = !credito.isEmpty() && credito != QStringLiteral("0,00");
    add(session, itemKey("911", index),
        cents7(temCredito ? credito : ProductLists::at(p.precoLiquido, product)));
    const QString complemento = ProductLists::at(p.complemento, product);
    if (!venda) {
        add(session, itemKey("914", index), complementoPreVenda(complemento, iso));
    } else if (iso) {
        add(session, itemKey("912", index), cents7(ProductLists::at(p.precoLiquido, product)));
        const QString desconto = ProductLists::at(p.desconto, product);
        add(session, itemKey("909", index),
            desconto.trimmed().isEmpty() ? QStringLiteral("0000000") : cents7(desconto));
        add(session, itemKey("914", index), complementoVendaIso(complemento));
    } else {
        add(session, itemKey("914", index), complementoPreVenda(complemento, false));
    }
}

}  // namespace

bool Mensagem_GeracaoPre(ClientSession& session, GridModel& grid, const QString& documento) {
    const QString procedure = QStringLiteral("Mensagem_GeracaoPre");
    try {
        const bool venda = session.tipoTransacao.trimmed() == QStringLiteral("VENDA");
        const QString codigo = venda ? QStringLiteral("0200") : QStringLiteral("0100");
        const QString processamento = venda ? QStringLiteral("800300") : QStringLiteral("800200");
        const QString numeroDocumento = venda ? documento : QString();
        const int total = session.produtos.qtdProdutos;
        bool aceito = false;
        // A sale is held by the host from its last batch on: it is in the
        // journal before its first batch leaves.
        std::string entry;
        if (venda && total > 0 && !detail::journalRequest(session, JournalKind::Venda, procedure, entry))
            return false;
        for (int sent = 0; sent < total;) {
            const int remaining = total - sent;
            const int batch = std::min(kPreSaleRequestBatch, remaining);
            if (!MontaCamposComuns(session, codigo, processamento, session.nsu)) return false;
            add(session, QStringLiteral("002-000"), numeroDocumento);
            add(session, QStringLiteral("900-000"),
                remaining > kPreSaleRequestBatch ? QStringLiteral("1") : QStringLiteral("0"));
            add(session, QStringLiteral("901-000"),
                remaining < kPreSaleRequestBatch + 1 ? QString::number(remaining).rightJustified(2, u'0')
                                       : QStringLiteral("12"));
            for (int j = 0; j < batch; ++j) addItem(session, sent + j, j, venda);

            session.mensagem.setBit63Flags(true, true);
            const int result = ProcessaMsg(session);
            if (result < 0) {
                // The host never saw this batch: stop and tell the operator
                // rather than report a list that was only partly authorised.
                detail::showExchangeError(session, result);
                return false;
            }
            session.mensagem.setBit63Flags(false, false);
            if (venda && session.settings.MsgIso) GetQtdLinha(session);
            Retorna_Status_Produtos(session, grid, sent);
            aceito = VerificaRetorno(session, true);
            if (!aceito || sent + batch >= total) detail::journalAnswer(session, entry, aceito);
            if (!aceito) return false;
            sent += batch;
        }
        return aceito;
    } catch (const detail::BuilderFault& fault) {
        return detail::reportFault(session, procedure, fault);
    }
}

}  // namespace vtx::client

#include "messaging/JournalSteps.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"
#include "messaging/RequestFields.h"

namespace vtx::client {
namespace {

using detail::add;
using detail::itemKey;

constexpr int kCancellationRequestBatch = 12;

void addProductFields(ClientSession& session) {
    const ProductLists& p = session.produtos;
    const int count = static_cast<int>(p.codigo.size());
    if (session.settings.MsgIso) {
        add(session, QStringLiteral("900-000"), QStringLiteral("0"));
        add(session, QStringLiteral("901-000"), QStringLiteral("01"));
        for (int i = 0; i < std::min(count, kCancellationRequestBatch); ++i) {
            add(session, itemKey("902", i), detail::zeroFilled(p.codigo.at(i), 13));
            add(session, itemKey("906", i), ProductLists::at(p.tipoItem, i));
            add(session, itemKey("905", i), detail::zeroFilled(ProductLists::at(p.quantidade, i), 3));
        }
        return;
    }
    // The text form carries every group of up to 12 products in the one
    // message, each with its own 900/901 and items numbered from 000.
    for (int first = 0; first < count; first += kCancellationRequestBatch) {
        const int remaining = count - first;
        add(session, QStringLiteral("900-000"), count > 11 ? QStringLiteral("1") : QStringLiteral("0"));
        add(session, QStringLiteral("901-000"),
            remaining < kCancellationRequestBatch + 1 ? QStringLiteral("1") : QStringLiteral("12"));
        for (int j = 0; j < std::min(kCancellationRequestBatch, remaining); ++j) {
            add(session, itemKey("902", j), p.codigo.at(first + j));
            add(session, itemKey("906", j), ProductLists::at(p.tipoItem, first + j));
            add(session, itemKey("905", j), ProductLists::at(p.quantidade, first + j));
        }
    }
}

}  // namespace

bool Mensagem_Cancelamento(ClientSession& session, bool semProdutos) {
    const QString codigo = session.pendente.tipo.left(2);
    const bool outraRede = !session.pendente.tipo.isEmpty() && codigo != QStringLiteral("BC") &&
                           codigo != QStringLiteral("BE");
    const QString processamento = outraRede ? QStringLiteral("900400") : QStringLiteral("800400");
    if (MontaCamposComuns(session, QStringLiteral("0200"), processamento, session.nsu)) {
        if (semProdutos) {
            add(session, QStringLiteral("900-000"), QStringLiteral("0"));
            add(session, QStringLiteral("901-000"), QStringLiteral("00"));
        } else {
            addProductFields(session);
        }
    }
    std::string entry;
    if (!detail::journalRequest(session,
                                semProdutos ? JournalKind::Cancelamento : JournalKind::CancelamentoParcial,
                                QStringLiteral("Mensagem_Cancelamento"), entry))
        return false;
    const int result = ProcessaMsg(session);
    if (result < 0) {
        detail::showExchangeError(session, result);
        return false;
    }
    const bool accepted = VerificaRetorno(session, true);
    detail::journalAnswer(session, entry, accepted);
    if (!accepted) return false;
    const QString nsu = GetCampo(session, QStringLiteral("012-000"));
    if (!nsu.isEmpty()) session.nsu = nsu;
    return true;
}

}  // namespace vtx::client

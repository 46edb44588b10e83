#include "sale/ReceiptLayout.h"

#include <algorithm>

#include "core/NumericText.h"
#include "messaging/ReceiptLines.h"

namespace vtx::client::sale {
namespace {

constexpr int kStatusRecusado = 40;  // item statuses from 40 on are refusals
constexpr int kUltimaLinha = 999;    // 029-nnn: three digits

}  // namespace

QString alinhaEsquerda(const QString& text, int width) {
    const QString t = text.trimmed();
    return t.size() >= width ? t : t + QString(width - t.size(), u' ');
}

QString alinhaDireita(const QString& text, int width) {
    const QString t = text.trimmed();
    return t.size() >= width ? t : QString(width - t.size(), u' ') + t;
}

QStringList tabelaProdutos(const ProductLists& p) {
    using L = ProductLists;
    const int count = static_cast<int>(p.codigo.size());
    QStringList lines;
    const bool comDescricao = count > 0 && !L::at(p.descricao, 0).isEmpty();
    lines << QStringLiteral("Código        ") +
                 (comDescricao ? QStringLiteral("Descrição            ") : QString(19, u' ')) +
                 QStringLiteral("Emb");
    lines << QStringLiteral("Qtd Prc.Brt.  % Desc. Prc.Liq. Prc.Rec");
    for (int i = 0; i < count; ++i) {
        lines << QString();
        if (valueOf(L::at(p.status, i)) >= kStatusRecusado) continue;
        lines << alinhaEsquerda(L::at(p.codigo, i), 14) + alinhaEsquerda(L::at(p.descricao, i), 22) +
                     alinhaEsquerda(L::at(p.tipoItem, i), 2);
        lines << alinhaDireita(L::at(p.quantidade, i), 3) + alinhaDireita(L::at(p.precoBruto, i), 9) +
                     alinhaDireita(L::at(p.desconto, i), 8) +
                     alinhaDireita(L::at(p.precoLiquido, i), 9) +
                     alinhaDireita(L::at(p.valorReceber, i), 9);
    }
    lines << QString(38, u'_');
    return lines;
}

QStringList PreencheImpressao(const ProductLists& produtos, bool tabelaLigada,
                              const QString& telaAtual, const QStringList& linhasRecibo) {
    QStringList lines;
    if (tabelaLigada && telaAtual == QStringLiteral("VENDA")) lines = tabelaProdutos(produtos);
    lines += linhasRecibo;
    return lines;
}

QStringList receiptLines(ClientSession& session) {
    const int count = std::min<int>(GetQtdLinha(session), kUltimaLinha);
    QStringList lines;
    for (int n = 0; n <= count; ++n) lines << GetLinhaImpressao(session, static_cast<qint16>(n));
    return lines;
}

}  // namespace vtx::client::sale

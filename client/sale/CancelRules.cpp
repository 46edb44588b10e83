#include "sale/CancelRules.h"

#include "core/NumericText.h"

namespace vtx::client::sale {

bool quantidadeCancelavel(const QString& original, const QString& digitada) {
    const double typed = valueOf(digitada);
    // A negative quantity (pasted, the keys take digits only) is no quantity.
    return typed > 0 && valueOf(original) >= typed;
}

QString textoNsuMinimo(int minimo) {
    return QStringLiteral("O campo NSU deve conter pelo menos ") + QString::number(minimo) +
           QStringLiteral(" caracteres.");
}

bool nsuCurto(const QString& nsu, int minimo) {
    return nsu.size() < minimo;
}

bool nsuSomenteDigitos(const QString& nsu) {
    for (QChar c : nsu)
        if (c < u'0' || c > u'9') return false;
    return true;
}

bool teclaNsuAceita(QChar key, bool numerico) {
    if (!numerico) return true;
    return (key >= u'0' && key <= u'9') || key == u',' || key == u'\r' || key == u'\b';
}

bool teclaQuantidadeAceita(QChar key) {
    return (key >= u'0' && key <= u'9') || key == u'\b';
}

QString tipoPendenteCancelamento(bool comProdutos) {
    return comProdutos ? QStringLiteral("BE") : QStringLiteral("XX");
}

bool mostraNumeroAutorizacao(const QString& nsu) {
    return !nsu.isEmpty() && valueOf(nsu) != 0;
}

QString textoNumeroAutorizacao(const QString& nsu) {
    return QStringLiteral("Número da autorização: ") + nsu;
}

bool transacaoComProdutos(const QString& tipo) {
    const QString kind = tipo.left(2);
    return kind == QStringLiteral("BC") || kind == QStringLiteral("BE");
}

}  // namespace vtx::client::sale

#include "sale/SearchText.h"

namespace vtx::client::sale {

bool somenteDigitos(const QString& texto) {
    if (texto.isEmpty()) return false;
    for (QChar c : texto)
        if (c < u'0' || c > u'9') return false;
    return true;
}

RegraPesquisa regraPesquisa(const QString& texto, bool identificaCartaoDS) {
    const QString pesquisa = texto.trimmed();
    if (pesquisa.isEmpty()) return RegraPesquisa::Vazia;
    if (!somenteDigitos(pesquisa)) return RegraPesquisa::Consulta;
    if (pesquisa.size() > kDigitosCodigoBarras) return RegraPesquisa::CodigoLongo;
    if (pesquisa.size() < kDigitosCodigoBarras && identificaCartaoDS)
        return RegraPesquisa::SistemaExterno;
    return RegraPesquisa::Consulta;
}

}  // namespace vtx::client::sale

// What the pre-sale search does with the text typed into its search box:
// refuse it (empty, or a code longer than the 13 digits of a bar code),
// resolve a short numeric code through the shop's external price system
// first (stations that identify cards through that system), or query the
// host with it as it is.
//
// Thread-safety: pure functions.
#pragma once

#include <QString>

namespace vtx::client::sale {

enum class RegraPesquisa {
    Vazia,           // nothing but blanks: "Por favor digite pelo menos uma letra!"
    CodigoLongo,     // more than 13 digits: "O Código do produto não pode ser maior que 13 dígitos!"
    SistemaExterno,  // fewer than 13 digits on a station with the external system
    Consulta,        // straight to the host's product query
};

inline const QString kTextoPesquisaVazia = QStringLiteral("Por favor digite pelo menos uma letra!");
inline const QString kTextoCodigoLongo =
    QStringLiteral("O Código do produto não pode ser maior que 13 dígitos!");

inline constexpr int kDigitosCodigoBarras = 13;

// `texto` is the search box's text; it is judged trimmed.
RegraPesquisa regraPesquisa(const QString& texto, bool identificaCartaoDS);

// True when the text is one or more digits and nothing else.
bool somenteDigitos(const QString& texto);

}  // namespace vtx::client::sale

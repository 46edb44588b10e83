// The rules of the cancellation screens, below their widgets: the quantity
// of an item cancellation, the NSU typed for a cancellation by number, the
// pending type code that picks the request's processing code, and when the
// authorisation number is worth telling.
//
// Thread-safety: pure functions.
#pragma once

#include <QChar>
#include <QString>

namespace vtx::client::sale {

inline const QString kTextoQuantidadeMaior =
    QStringLiteral("A quantidade informada não pode ser maior que o valor original");
inline const QString kTextoCancelamentoRecusado = QStringLiteral("Cancelamento não realizado!");
inline const QString kTextoNsuSomenteNumeros =
    QStringLiteral("O campo NSU deve conter somente números.");

// The typed quantity may be cancelled: above zero and not above the
// quantity the transaction holds (`original`, the cancellation list's
// entry). Both are read by their numeric value; a typed text without a
// number is zero.
bool quantidadeCancelavel(const QString& original, const QString& digitada);

// "O campo NSU deve conter pelo menos " + minimum + " caracteres."
QString textoNsuMinimo(int minimo);

// The NSU is shorter than the station's minimum for it.
bool nsuCurto(const QString& nsu, int minimo);

// An NSU of digits only (what a station whose NSU field is numeric accepts).
bool nsuSomenteDigitos(const QString& nsu);

// txtNSU_KeyPress: a key passes unless the field is numeric (`numerico`, the
// caption's kind "N") and the key is neither a digit, a comma, Enter nor
// Backspace.
bool teclaNsuAceita(QChar key, bool numerico);

// txtQuantidade_KeyPress: digits and Backspace only.
bool teclaQuantidadeAceita(QChar key);

// The pending type code of a cancellation by NSU: "BE" with the products
// option (a transaction with a product list), "XX" without.
QString tipoPendenteCancelamento(bool comProdutos);

// The authorisation number is told when it is not empty and not zero.
bool mostraNumeroAutorizacao(const QString& nsu);

// "Número da autorização: " + NSU.
QString textoNumeroAutorizacao(const QString& nsu);

// A batch transaction of this kind (column 6 of the batch grid) has a
// product list: its first two characters are "BC" or "BE".
bool transacaoComProdutos(const QString& tipo);

}  // namespace vtx::client::sale

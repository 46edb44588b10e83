// `ProcessaPreco`: the price of a product from the local price source (the
// communication library's price file, or the shop's external price system
// when the station identifies cards through it), reconciled with the prices
// and discount already on the screen.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/ClientSession.h"

namespace vtx::client {

// In/out amounts are local texts ("12,50"); the discount is a percentage
// shown "00,00". `ignorado` is accepted and not used. False when the source
// has no price for the product (or cannot be reached: reported).
bool ProcessaPreco(ClientSession& session, const QString& codigo, const QString& tipoItem,
                   QString& descricao, QString& precoBruto, QString& precoLiquido,
                   QString& valorReceber, const QString& ignorado, QString& desconto,
                   QString& precoExibicao);

}  // namespace vtx::client

// Printing the receipt, and telling the operator when the printer fails.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <QStringList>

#include "core/ClientSession.h"
#include "core/Printer.h"

namespace vtx::client::sale {

inline const QString kFonteRecibo = QStringLiteral("Courier New");
inline constexpr double kTamanhoFonteRecibo = 8;

// One portrait document: "Courier New" 8, not bold; every line in order,
// then an empty line and a line holding one blank (the paper feed of a
// receipt printer). Empty when printed; else the first fault's text, the
// document having been ended (a printer discards a document with a fault).
QString imprimeRecibo(Printer& printer, const QStringList& lines);

// A printer fault of `procedure`: reported through TrataErro and, on a
// station whose TipoLog keeps TrataErro silent, shown to the operator all
// the same (critical icon, "Atenção"): a receipt that did not print must
// never pass for printed.
void avisaFalhaImpressao(ClientSession& session, const QString& procedure, const QString& error);

// The printer's fault text, or the words for a station without a printer.
QString textoFalhaImpressora(const Printer* printer);

}  // namespace vtx::client::sale

#include "sale/ReceiptPrinting.h"

namespace vtx::client::sale {

QString imprimeRecibo(Printer& printer, const QStringList& lines) {
    if (!printer.beginDocument(false)) return textoFalhaImpressora(&printer);
    bool printed = printer.setFont(kFonteRecibo, kTamanhoFonteRecibo, false);
    for (int i = 0; printed && i < lines.size(); ++i) printed = printer.printLine(lines.at(i));
    printed = printed && printer.printLine(QString()) && printer.printLine(QStringLiteral(" "));
    if (!printed) {
        const QString fault = textoFalhaImpressora(&printer);
        printer.endDocument();
        return fault;
    }
    return printer.endDocument() ? QString() : textoFalhaImpressora(&printer);
}

void avisaFalhaImpressao(ClientSession& session, const QString& procedure, const QString& error) {
    session.reporter.TrataErro(procedure, error);
    if (session.settings.TipoLog == QStringLiteral("M")) return;  // TrataErro showed it
    session.dialogs.message(error, QStringLiteral("Atenção"), MessageIcon::Critical);
}

QString textoFalhaImpressora(const Printer* printer) {
    if (printer == nullptr) return QStringLiteral("Nenhuma impressora configurada.");
    const QString error = printer->lastError();
    return error.isEmpty() ? QStringLiteral("A impressora não está disponível.") : error;
}

}  // namespace vtx::client::sale

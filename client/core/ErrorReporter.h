// ErrorReporter: the client's common error reporter (TrataErro).
//
// Every procedure of the client traps its faults and passes its own name and
// a text to TrataErro. When the setting TipoLog is "M" the operator sees a
// warning box "Ocorreu o erro: " + text, titled TituloMensagem followed
// directly by the procedure name. Any other TipoLog shows nothing.
//
// A printer fault (reportPrinterFault) is shown whatever TipoLog says.
//
// Whatever TipoLog says, every report is also written to the log category
// "vtx.client.error" (Qt's message handler; stderr by default) as
// "<procedure>: <text>", so that support can see the faults of a station that
// runs with silent reports.
//
// The reporter reads TipoLog and TituloMensagem from the settings record at
// each report, so it follows the record while SetaEstruturaPrincipal fills it.
//
// Thread-safety: the client's single thread; the settings record and the
// Dialogs object must outlive the reporter.
#pragma once

#include <QString>

#include "core/Dialogs.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

class ErrorReporter {
public:
    ErrorReporter(const EstruturaPrincipal& settings, Dialogs& dialogs)
        : settings_(settings), dialogs_(dialogs) {}

    // Reports `text` under `procedure`.
    void TrataErro(const QString& procedure, const QString& text) const;

    // A run-time fault: the text is the description, " - " and the number.
    void TrataErro(const QString& procedure, int number, const QString& description) const;

    // A print that did not happen (no printer, the printer refused, the PDF
    // file could not be written): the same box and log line as TrataErro,
    // but shown whatever TipoLog says, because the operator must not take
    // an unprinted receipt or report for a printed one. Every print path of
    // the screens reports its failure here.
    void reportPrinterFault(const QString& procedure, const QString& text) const;

    const EstruturaPrincipal& settings() const { return settings_; }
    Dialogs& dialogs() const { return dialogs_; }

private:
    // The warning box "Ocorreu o erro: " + text, titled TituloMensagem +
    // procedure.
    void show(const QString& procedure, const QString& text) const;

    const EstruturaPrincipal& settings_;
    Dialogs& dialogs_;
};

}  // namespace vtx::client

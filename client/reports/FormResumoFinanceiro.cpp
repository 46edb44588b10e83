#include "reports/FormResumoFinanceiro.h"

#include "messaging/ReportFiles.h"

namespace vtx::client::reports {

FormResumoFinanceiro::FormResumoFinanceiro(ClientSession& session, Printer* printer,
                                           ReportHost host, QWidget* parent)
    : ReportScreen(QStringLiteral("FormResumoFinanceiro"), QStringLiteral("spdLote"), session,
                   printer, std::move(host), parent) {
    setWindowTitle(QStringLiteral("Resumo Financeiro"));
    const EstruturaPrincipal& s = session.settings;
    carregaRelatorio(
        QStringLiteral("Vantorix Client      Tela 0003 - Resumo Financeiro    "),
        QStringLiteral("RESUMOFINANCEIRO"),
        reportFilePattern(ReportFileKind::ResumoFinanceiro, s.TipoEstab, s.CodigoAdministradora));
}

}  // namespace vtx::client::reports

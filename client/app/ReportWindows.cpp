#include "app/ReportWindows.h"

#include <memory>

#include "reports/FormConsulta.h"
#include "reports/FormResumo.h"
#include "reports/FormResumoFinanceiro.h"
#include "reports/FormResumoProdutos.h"

namespace vtx::client {
namespace {

using reports::ReportScreen;

// The screen names under which the main menu reaches an open report screen.
struct MenuRoutes {
    QString close;  // empty: the close command does not reach it
    QString print;
};

// Routes the main menu's commands to `screen` for as long as it lives.
class RoutedScreen {
public:
    RoutedScreen(MainFrame& frame, ReportScreen& screen, MenuRoutes routes)
        : frame_(frame), routes_(std::move(routes)) {
        if (!routes_.close.isEmpty())
            frame_.setCloseRoutine(routes_.close, [&screen] { screen.cmdRetorna_Click(); });
        if (!routes_.print.isEmpty())
            frame_.setPrintRoutine(routes_.print, [&screen] { screen.cmdImprimir_Click(); });
    }
    ~RoutedScreen() {
        if (!routes_.close.isEmpty()) frame_.setCloseRoutine(routes_.close, {});
        if (!routes_.print.isEmpty()) frame_.setPrintRoutine(routes_.print, {});
    }
    RoutedScreen(const RoutedScreen&) = delete;
    RoutedScreen& operator=(const RoutedScreen&) = delete;

private:
    MainFrame& frame_;
    MenuRoutes routes_;
};

reports::ReportHost hostOf(MainFrame& frame) {
    reports::ReportHost host;
    host.setCaption = [&frame](const QString& text) { frame.SetaCaption(text); };
    host.setPrintEnabled = [&frame](bool enabled) { frame.setPrintEnabled(enabled); };
    host.endProgram = [&frame] { frame.encerra(); };
    host.screenArea = frame.screenArea();
    return host;
}

}  // namespace

void openReportWindow(ReportKind kind, ClientSession& session, MainFrame& frame,
                      const ReportLinks& links) {
    const reports::ReportHost host = hostOf(frame);
    std::unique_ptr<ReportScreen> screen;
    MenuRoutes routes;
    switch (kind) {
        case ReportKind::Resumo: {
            auto resumo = std::make_unique<reports::FormResumo>(session, session.printer, host);
            if (links.transacoesDoLote) resumo->setTransacoesDoLote(links.transacoesDoLote);
            screen = std::move(resumo);
            routes = {QStringLiteral("RESUMOVENDAS"), QStringLiteral("RESUMOVENDA")};
            break;
        }
        case ReportKind::ResumoFinanceiro:
            screen =
                std::make_unique<reports::FormResumoFinanceiro>(session, session.printer, host);
            routes = {QString(), QStringLiteral("RESUMOFINANCEIRO")};
            break;
        case ReportKind::Pendentes:
            screen = std::make_unique<reports::FormConsulta>(session, session.printer, host);
            routes = {QStringLiteral("TRANSACOESPENDENTES"), QStringLiteral("TRANSACOESPENDENTES")};
            break;
    }
    RoutedScreen routed(frame, *screen, routes);
    session.dialogs.showModal(*screen);
}

void openTransactionProductsWindow(ClientSession& session, MainFrame& frame,
                                   const ReportLinks& links) {
    session.settings.TelaAtual = QStringLiteral("PRODUTOSDATRANSACAO");
    reports::FormResumoProdutos screen(session, session.printer, hostOf(frame), QString());
    if (links.cancelaItem) screen.setCancelaItem(links.cancelaItem);
    RoutedScreen routed(frame, screen,
                        {QStringLiteral("PRODUTOSDATRANSACAO"), QStringLiteral("PRODUTOSDATRANSACAO")});
    session.dialogs.showModal(screen);
}

}  // namespace vtx::client

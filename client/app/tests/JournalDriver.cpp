// journal_station_driver: a shop station without its windows, for the
// journal's kill and host-drop tests. It does what the sale and cancellation
// screens do, through the real request builders and libVX32_CLI.so with the
// station's journal attached, and settles the journal exactly as VtxClient
// does when it starts. The exchange of the watched request and of its
// confirmation or annulment is framed by step markers on standard output
// (SteppedCommLibrary), and the driver can hold at one step so that a test's
// SIGKILL lands inside it:
//
//   journal_station_driver sale --card N --products FILE.csv --decide confirm|annul
//                                [--document D] [--hold STEP]
//       sale eligibility, the sale (Mensagem_GeracaoPre, VENDA), then its
//       confirmation or annulment as the receipt screen's F5 / F12 sends it
//   journal_station_driver cancel --nsu N --decide confirm|annul [--hold STEP]
//       the whole cancellation of N from the administrative menu, then its
//       confirmation or annulment from its receipt screen
//   journal_station_driver settle
//       settleJournal(): what VtxClient runs at start-up before the card
//       screen, with the station's PendenteAoIniciar policy
//
// Steps: before-send, in-flight, answered, receipt, confirm-before-send,
// confirm-in-flight, confirm-answered, done; every step but the two
// in-flight ones may be held (60 s at most). It prints "NSU <n>" once the
// request's NSU is known and "RESULT <request> accepted|refused" after each
// builder; exit 0 when the flow went through.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "ClientStation.h"
#include "ConsoleDialogs.h"
#include "app/tests/SteppedCommLibrary.h"
#include "core/SetaEstruturaPrincipal.h"
#include "core/TransactionJournal.h"
#include "messaging/GridLoaders.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/PendingSettlement.h"
#include "messaging/RequestBuilders.h"
#include "vtx/platform/SharedLibrary.h"

namespace {

using namespace vtx::client;
using vtx::client::test::SteppedCommLibrary;
using vtx::tool::Options;

constexpr auto kHoldFor = std::chrono::seconds(60);
const std::vector<std::string> kHoldSteps = {"before-send",         "answered",         "receipt",
                                             "confirm-before-send", "confirm-answered", "done"};

// The station as VtxClient starts it: its settings and operator table, its
// journal attached, the communication library marking the watched steps.
class DriverStation {
public:
    explicit DriverStation(const std::string& hold)
        : comm_(real_, hold, kHoldFor), session_(dialogs_, comm_) {}

    bool open() {
        EstruturaPrincipal& s = session_.settings;
        if (!SetaEstruturaPrincipal(s, session_.captions, session_.reporter,
                                    QString::fromStdString(vtx::platform::programDirectory()))) {
            std::fputs("driver: Erro nos arquivos de configuração!\n", stderr);
            return false;
        }
        if (!session_.operadoras.ObtemDadosOperadora(s, session_.reporter)) return false;
        journal_ = std::make_unique<TransactionJournal>(TransactionJournal::pathFor(s));
        if (!journal_->load()) {
            std::fprintf(stderr, "driver: %s\n", journal_->lastError().toUtf8().constData());
            return false;
        }
        session_.journal = journal_.get();
        return true;
    }

    // The card screen's choice of the station's administrator (the first of
    // the table), its name upper-cased as the client sends it.
    bool selectAdministrator() {
        if (!session_.operadoras.select(1, session_.settings)) return false;
        session_.settings.NomeAdministradora = session_.settings.NomeAdministradora.toUpper();
        return true;
    }

    ClientSession& session() { return session_; }
    SteppedCommLibrary& comm() { return comm_; }

private:
    vtx::tool::ConsoleDialogs dialogs_;
    LoadedCommLibrary real_;
    SteppedCommLibrary comm_;
    ClientSession session_;
    std::unique_ptr<TransactionJournal> journal_;
};

void result(const char* request, bool accepted) {
    std::printf("RESULT %s %s\n", request, accepted ? "accepted" : "refused");
    std::fflush(stdout);
}

// The receipt screen's F5 (confirm) or F12 (annul) on the transaction the
// session holds, then the step after it.
bool settleAtReceipt(DriverStation& station, bool confirm) {
    ClientSession& s = station.session();
    station.comm().step("receipt");
    station.comm().watch("confirm-");
    const bool ok = confirm ? Mensagem_Confirmacao(s) : Mensagem_Anulacao(s);
    station.comm().watch(std::nullopt);
    result(confirm ? "confirm" : "annul", ok);
    station.comm().step("done");
    return ok;
}

int sale(DriverStation& station, const Options& o, bool confirm) {
    ClientSession& s = station.session();
    if (!station.selectAdministrator()) return 1;
    s.settings.TelaAtual = QStringLiteral("VENDA");
    s.tipoTransacao = QStringLiteral("VENDA");
    s.cartao.numero = o.value("--card").trimmed();
    const bool eleg = Mensagem_ElegPortador(s, 0);
    result("eleg", eleg);
    if (!eleg) return 1;
    std::optional<GridModel> grid = vtx::tool::readProductsCsv(o.value("--products"));
    if (!grid || !CarregaItem_Grid(s, *grid)) return 1;
    std::printf("NSU %s\n", s.nsu.trimmed().toUtf8().constData());
    std::fflush(stdout);
    station.comm().watch("");
    const bool accepted = Mensagem_GeracaoPre(s, *grid, o.value("--document", QStringLiteral("123456")));
    station.comm().watch(std::nullopt);
    result("sale", accepted);
    if (!accepted) return 1;
    return settleAtReceipt(station, confirm) ? 0 : 1;
}

int cancel(DriverStation& station, const Options& o, bool confirm) {
    ClientSession& s = station.session();
    if (!station.selectAdministrator()) return 1;
    // FormCancela from the administrative menu, "with products" ticked.
    s.settings.TelaAtual = QStringLiteral("ADMINISTRATIVA");
    s.tipoTransacao = s.settings.TelaAtual;
    s.nsu = o.value("--nsu").trimmed();
    s.pendente.tipo = QStringLiteral("BE");
    station.comm().watch("");
    const bool accepted = Mensagem_Cancelamento(s, true);
    station.comm().watch(std::nullopt);
    result("cancel", accepted);
    if (!accepted) return 1;
    std::printf("NSU %s\n", s.nsu.trimmed().toUtf8().constData());
    std::fflush(stdout);
    return settleAtReceipt(station, confirm) ? 0 : 1;
}

int settle(DriverStation& station) {
    const bool resolved = settleJournal(station.session());
    for (const JournalEntry& e : station.session().journal->entries()) {
        std::printf("ENTRY %s nsu=%s original=%s %s\n",
                    journalKindName(e.request.kind).toUtf8().constData(),
                    e.nsu.trimmed().toUtf8().constData(),
                    e.request.nsuOriginal.trimmed().toUtf8().constData(),
                    (e.open() ? journalStateName(e.state) : journalOutcomeName(e.outcome))
                        .toUtf8()
                        .constData());
    }
    std::printf("SETTLED %s\n", resolved ? "resolved" : "open");
    return resolved ? 0 : 1;
}

int usage() {
    std::fputs(
        "usage: journal_station_driver sale --card N --products FILE.csv --decide confirm|annul\n"
        "                              [--document D] [--hold STEP]\n"
        "       journal_station_driver cancel --nsu N --decide confirm|annul [--hold STEP]\n"
        "       journal_station_driver settle\n"
        "STEP: before-send answered receipt confirm-before-send confirm-answered done\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string mode = argv[1];
    Options o;
    if (!o.parse(vtx::tool::Args(argv + 2, argv + argc),
                 {"--card", "--products", "--document", "--nsu", "--decide", "--hold"}, {}))
        return usage();
    const std::string hold = o.value("--hold").toStdString();
    const QString decide = o.value("--decide");
    const bool flow = mode == "sale" || mode == "cancel";
    if ((!flow && mode != "settle") ||
        (flow && decide != QStringLiteral("confirm") && decide != QStringLiteral("annul")) ||
        (mode == "sale" && (!o.has("--card") || !o.has("--products"))) ||
        (mode == "cancel" && !o.has("--nsu")) ||
        (!hold.empty() && std::find(kHoldSteps.begin(), kHoldSteps.end(), hold) == kHoldSteps.end()))
        return usage();
    DriverStation station(hold);
    if (!station.open()) return 1;
    const bool confirm = decide == QStringLiteral("confirm");
    if (mode == "sale") return sale(station, o, confirm);
    if (mode == "cancel") return cancel(station, o, confirm);
    return settle(station);
}

// `vtx journal`: the station's pending-transaction journal for the support
// team. Lists it (cards masked, as the file holds them) and settles an entry
// by hand, or every open entry as the client does when it starts.
#include <cstdio>
#include <string>

#include "ClientStation.h"
#include "Commands.h"
#include "messaging/PendingSettlement.h"

namespace vtx::tool {
namespace {

using client::JournalEntry;

void journalUsage() {
    std::fputs(
        "usage: vtx journal [list] [--all]        open entries (--all: every entry kept)\n"
        "       vtx journal confirm NSU            confirm the open entry of NSU\n"
        "       vtx journal annul NSU              annul the open entry of NSU\n"
        "       vtx journal settle --policy confirm|annul\n"
        "                                          settle every open entry as the client does\n"
        "                                          at start-up, with that decision for the\n"
        "                                          authorised ones\n"
        "       (each takes --admin NAME to choose the station's administrator table entry)\n",
        stderr);
}

void printEntry(const JournalEntry& e) {
    const QString outcome = e.open() ? client::journalStateName(e.state)
                                     : client::journalOutcomeName(e.outcome);
    std::printf("%-20s %-12s NSU %-12s orig %-12s %-16s %10s  %s%s%s\n",
                e.pedidoEm.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")).toUtf8().constData(),
                client::journalKindName(e.request.kind).toUtf8().constData(),
                e.nsu.trimmed().isEmpty() ? "-" : e.nsu.trimmed().toUtf8().constData(),
                e.request.nsuOriginal.trimmed().isEmpty() ? "-"
                                                          : e.request.nsuOriginal.trimmed().toUtf8().constData(),
                e.request.cartao.isEmpty() ? "-" : e.request.cartao.toUtf8().constData(),
                e.request.total.isEmpty() ? "-" : e.request.total.toUtf8().constData(),
                outcome.toUtf8().constData(), e.status.isEmpty() ? "" : " status ",
                e.status.trimmed().toUtf8().constData());
}

int list(client::TransactionJournal& journal, bool all) {
    size_t shown = 0;
    for (const JournalEntry& e : journal.entries()) {
        if (!all && !e.open()) continue;
        printEntry(e);
        ++shown;
    }
    if (shown == 0) std::puts(all ? "journal empty" : "no open entry");
    if (journal.damagedRecords() > 0)
        std::printf("%zu damaged record(s) skipped (a write torn by a kill or a power cut)\n",
                    journal.damagedRecords());
    return 0;
}

}  // namespace

int journalCommand(const Args& args) {
    std::string action = "list";
    Args rest = args;
    if (!rest.empty() && rest.front().rfind("--", 0) != 0) {
        action = rest.front();
        rest.erase(rest.begin());
    }
    QString nsu;
    if ((action == "confirm" || action == "annul") && !rest.empty() && rest.front().rfind("--", 0) != 0) {
        nsu = QString::fromStdString(rest.front());
        rest.erase(rest.begin());
    }
    Options o;
    if (!o.parse(rest, {"--admin", "--policy"}, {"--all", "--iso"})) {
        journalUsage();
        return 2;
    }
    const bool settleAll = action == "settle";
    if ((action != "list" && action != "confirm" && action != "annul" && !settleAll) ||
        ((action == "confirm" || action == "annul") && nsu.isEmpty()) ||
        (settleAll && o.value("--policy") != QStringLiteral("confirm") &&
         o.value("--policy") != QStringLiteral("annul"))) {
        journalUsage();
        return 2;
    }
    ClientStation station;
    if (!station.open(o.value("--admin"), o.has("--iso"))) return 1;
    client::TransactionJournal& journal = station.journal();
    if (action == "list") return list(journal, o.has("--all"));

    const client::PendingPolicy policy = o.value("--policy") == QStringLiteral("confirm")
                                             ? client::PendingPolicy::Confirmar
                                             : client::PendingPolicy::Desfazer;
    client::PendingSettlement settlement(station.session(), policy, nullptr);
    std::vector<client::SettledEntry> settled;
    if (settleAll) {
        settled = settlement.run();
    } else if (auto one = settlement.settleByHand(nsu, action == "confirm")) {
        settled.push_back(*one);
    } else {
        std::fprintf(stderr, "vtx: the journal has no open entry of NSU %s\n", nsu.toUtf8().constData());
        return 1;
    }
    bool allResolved = true;
    for (const client::SettledEntry& s : settled) {
        printEntry(s.entry);
        std::printf("  -> %s\n", s.texto.toUtf8().constData());
        allResolved = allResolved && s.resolved;
    }
    if (settled.empty()) std::puts("no open entry");
    journal.compact();
    return allResolved ? 0 : 1;
}

}  // namespace vtx::tool

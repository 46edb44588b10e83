// The transaction subcommands: each runs the client core's request builders
// against the station's host exactly as the point-of-sale screens do, and
// prints the answer, its receipt lines and the status judgement.
#include <cstdio>

#include "ClientStation.h"
#include "SaleExport.h"
#include "field/LeadingNumber.h"
#include "messaging/GridLoaders.h"
#include "messaging/MessageExchange.h"
#include "messaging/RequestBuilders.h"

namespace vtx::tool {
namespace {

using namespace vtx::client;

const std::vector<std::string> kCommonValues = {"--admin"};
const std::vector<std::string> kCommonFlags = {"--iso"};

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool openStation(ClientStation& station, const Options& o) {
    return station.open(o.value("--admin"), o.has("--iso"));
}

void setCard(ClientSession& s, const Options& o) {
    s.cartao.numero = o.value("--card").trimmed().toUpper();
    s.cartao.identificacao1 = o.value("--id1").trimmed().toUpper();
    s.cartao.identificacao2 = o.value("--id2").trimmed().toUpper();
}

int exitCode(bool ok) { return ok ? 0 : 1; }

// Eligibility for the session's transaction type; for a sale, the
// pre-authorised items read back page by page into `grid`.
bool eligibility(ClientStation& station, GridModel& grid) {
    ClientSession& s = station.session();
    bool ok = Mensagem_ElegPortador(s, 0);
    station.printAnswer(ok);
    if (!ok || s.tipoTransacao != QStringLiteral("VENDA")) return ok;
    for (int page = 0; page < 100; ++page) {
        if (!Recupera_Pre(s, grid, grid.maxRows())) break;
        const qint64 next = leadingNumber(GetCampo(s, QStringLiteral("900-000")));
        if (next == 0 || !Mensagem_ElegPortador(s, static_cast<qint16>(next))) break;
    }
    return true;
}

}  // namespace

int elegCommand(const Args& args) {
    Options o;
    if (!o.parse(args, with(kCommonValues, {"--card", "--id1", "--id2"}), with(kCommonFlags, {"--sale"})) ||
        !o.has("--card")) {
        std::fputs("usage: vtx eleg --card NUMBER [--id1 X] [--id2 Y] [--sale] [--admin NAME] [--iso]\n", stderr);
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    ClientSession& s = station.session();
    s.tipoTransacao = o.has("--sale") ? QStringLiteral("VENDA") : QStringLiteral("PREVENDA");
    setCard(s, o);
    GridModel grid(0, PreSaleColumn::kCount);
    bool ok = eligibility(station, grid);
    if (ok) std::printf("NSU: %s\n", s.nsu.toUtf8().constData());
    station.printGrid(grid);
    return exitCode(ok);
}

int saleCommand(const Args& args, bool sale) {
    Options o;
    const auto values = with(kCommonValues, {"--card", "--id1", "--id2", "--products", "--document"});
    if (!o.parse(args, values, with(kCommonFlags, {"--confirm", "--annul"})) || !o.has("--card") ||
        (!sale && !o.has("--products")) || (sale && !o.has("--document"))) {
        std::fprintf(stderr, "usage: vtx %s --card NUMBER [--id1 X] [--id2 Y] %s [--confirm|--annul] "
                             "[--admin NAME] [--iso]\n",
                     sale ? "sale" : "presale",
                     sale ? "--document NUMBER [--products FILE.csv]" : "--products FILE.csv");
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    ClientSession& s = station.session();
    s.tipoTransacao = sale ? QStringLiteral("VENDA") : QStringLiteral("PREVENDA");
    setCard(s, o);
    GridModel grid(0, PreSaleColumn::kCount);
    if (!eligibility(station, grid)) return 1;
    if (o.has("--products")) {
        auto products = readProductsCsv(o.value("--products"));
        if (!products) return 1;
        grid = *products;
    }
    if (!CarregaItem_Grid(s, grid)) return 1;
    const bool accepted = Mensagem_GeracaoPre(s, grid, o.value("--document"));
    bool ok = accepted;
    station.printAnswer(ok);
    station.printGrid(grid);
    std::printf("NSU: %s\n", s.nsu.toUtf8().constData());
    if (ok && o.has("--confirm")) {
        ok = Mensagem_Confirmacao(s);
        std::puts("confirmation:");
        station.printAnswer(ok);
    } else if (ok && o.has("--annul")) {
        ok = Mensagem_Anulacao(s);
        std::puts("reversal:");
        station.printAnswer(ok);
    }
    // The screen leaves the export file after an accepted list, whatever the
    // receipt screen then did with it.
    if (accepted) {
        const SaleExportResult exported = writeSaleExport(s);
        if (exported.wanted && exported.written.ok) {
            std::printf("export file: %s\n", exported.path.toUtf8().constData());
        } else if (exported.wanted) {
            std::fprintf(stderr, "[Atenção] %s\n", exported.written.message.toUtf8().constData());
            ok = false;
        }
    }
    return exitCode(ok);
}

int settleCommand(const Args& args, bool confirm) {
    Options o;
    if (!o.parse(args, with(kCommonValues, {"--nsu", "--type", "--pending", "--status"}), kCommonFlags) ||
        !o.has("--nsu")) {
        std::fprintf(stderr, "usage: vtx %s --nsu NSU [--type VENDA|PREVENDA|TRANSACOESPENDENTES] "
                             "[--pending CODE --status TEXT] [--admin NAME] [--iso]\n",
                     confirm ? "confirm" : "annul");
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    ClientSession& s = station.session();
    s.nsu = o.value("--nsu");
    s.tipoTransacao = o.value("--type", QStringLiteral("VENDA")).toUpper();
    s.pendente = {o.value("--pending"), o.value("--status")};
    bool ok = confirm ? Mensagem_Confirmacao(s) : Mensagem_Anulacao(s);
    station.printAnswer(ok);
    return exitCode(ok);
}

int cancelCommand(const Args& args) {
    Options o;
    if (!o.parse(args, with(kCommonValues, {"--nsu", "--products", "--pending"}), kCommonFlags) ||
        !o.has("--nsu")) {
        std::fputs("usage: vtx cancel --nsu NSU [--products FILE.csv] [--pending CODE] [--admin NAME] [--iso]\n",
                   stderr);
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    ClientSession& s = station.session();
    s.nsu = o.value("--nsu");
    s.pendente.tipo = o.value("--pending");
    const bool withProducts = o.has("--products");
    if (withProducts) {
        auto products = readProductsCsv(o.value("--products"));
        if (!products) return 1;
        // The products to cancel as the transaction-products grid selects them.
        GridModel selected(products->maxRows(), 13);
        for (int row = 1; row <= products->maxRows(); ++row) {
            selected.setText(row, 5, products->text(row, PreSaleColumn::kCodigo));
            selected.setText(row, 9, products->text(row, PreSaleColumn::kTipoItem));
            selected.setText(row, 10, products->text(row, PreSaleColumn::kQuantidade));
            selected.setRowSelected(row, true);
        }
        CancelaItem_Grid(s, selected);
    }
    bool ok = Mensagem_Cancelamento(s, !withProducts);
    station.printAnswer(ok);
    return exitCode(ok);
}

int productsCommand(const Args& args) {
    Options o;
    if (!o.parse(args, with(kCommonValues, {"--search", "--page"}), kCommonFlags) || !o.has("--search")) {
        std::fputs("usage: vtx products --search TEXT [--page N] [--admin NAME] [--iso]\n", stderr);
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    ClientSession& s = station.session();
    GridModel grid(0, 10);
    bool ok = Mensagem_Consulta_Produtos(s, o.value("--search"),
                                         static_cast<qint16>(o.value("--page", "0").toInt()), grid,
                                         ProductQueryTarget::QueryGrid);
    station.printAnswer(ok);
    for (int row = 1; row <= grid.maxRows(); ++row) {
        std::printf("  %s  %-20s %-20s type %s gross %s net %s status %s\n",
                    grid.text(row, 8).toUtf8().constData(), grid.text(row, 1).toUtf8().constData(),
                    grid.text(row, 2).toUtf8().constData(), grid.text(row, 3).toUtf8().constData(),
                    grid.text(row, 4).toUtf8().constData(), grid.text(row, 6).toUtf8().constData(),
                    grid.text(row, 9).toUtf8().constData());
    }
    if (leadingNumber(s.maisItens) != 0) std::printf("more items: next page %s\n", s.maisItens.toUtf8().constData());
    return exitCode(ok);
}

int logonCommand(const Args& args) {
    Options o;
    if (!o.parse(args, kCommonValues, kCommonFlags)) {
        std::fputs("usage: vtx logon [--admin NAME]\n", stderr);
        return 2;
    }
    ClientStation station;
    if (!openStation(station, o)) return 1;
    bool ok = ProcessaLogon(station.session());
    std::printf("logon: %s\n", ok ? "accepted" : "refused");
    return exitCode(ok);
}

}  // namespace vtx::tool

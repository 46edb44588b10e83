// What the pending-transaction journal costs a sale at the counter: the time
// from the operator's key (the sale builder called) to the request leaving
// the station (the communication library called), and the same for the
// confirmation, without a journal and with one on this machine's disk
// (every step written and flushed with fdatasync before the request leaves).
//
//   journal_cost [SALES] [FOLDER]   (default 2000 sales, a folder made in the
//                                    current directory)
//
// Both kinds run interleaved in one process, so they see the same machine.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "core/TransactionJournal.h"
#include "messaging/GridLoaders.h"
#include "messaging/RequestBuilders.h"

using namespace vtx::client;
using Clock = std::chrono::steady_clock;

namespace {

// Notes when a request leaves and answers at once as a host would.
class TimingComm : public CommLibrary {
public:
    std::optional<int> process(QString& exchange, QString&, const QString&) override {
        left = Clock::now();
        const QString answer = QStringLiteral("009-000=00;012-000=000000000321;");
        exchange = QString::number(answer.size()).rightJustified(4, u'0') + answer;
        exchange += QString(3072 - exchange.size(), u' ');
        return static_cast<int>(answer.size()) + 4;
    }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&, const Price&) override {
        return std::nullopt;
    }
    Clock::time_point left;
};

class QuietDialogs : public Dialogs {
public:
    MessageAnswer showMessage(const MessageRequest& r) override { return preselectedAnswer(r); }
};

struct Times {
    std::vector<double> sale;
    std::vector<double> confirmation;
};

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void oneSale(ClientSession& session, TimingComm& comm, Times& times) {
    namespace Col = PreSaleColumn;
    GridModel grid(3, Col::kCount);
    for (int row = 1; row <= 3; ++row) {
        grid.setText(row, Col::kCodigo, QString::number(7891000100102 + row));
        grid.setText(row, Col::kTipoItem, QStringLiteral("1"));
        grid.setText(row, Col::kQuantidade, QStringLiteral("2"));
        grid.setText(row, Col::kPrecoBruto, QStringLiteral("12,50"));
        grid.setText(row, Col::kPrecoLiquido, QStringLiteral("11,25"));
        grid.setText(row, Col::kValorCredito, QStringLiteral("0,00"));
    }
    session.tipoTransacao = QStringLiteral("VENDA");
    session.nsu = QStringLiteral("000321");
    CarregaItem_Grid(session, grid);
    Clock::time_point key = Clock::now();
    if (!Mensagem_GeracaoPre(session, grid, QStringLiteral("4455"))) std::abort();
    times.sale.push_back(micros(comm.left - key));
    key = Clock::now();
    if (!Mensagem_Confirmacao(session)) std::abort();
    times.confirmation.push_back(micros(comm.left - key));
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

void report(const char* what, const std::vector<double>& without, const std::vector<double>& with) {
    const double m0 = percentile(without, 0.5);
    const double m1 = percentile(with, 0.5);
    std::printf("%-13s without: median %7.1f us  p99 %7.1f us | with journal: median %7.1f us  "
                "p99 %7.1f us | added: median %.3f ms, p99 %.3f ms (ratio %.1f)\n",
                what, m0, percentile(without, 0.99), m1, percentile(with, 0.99), (m1 - m0) / 1000.0,
                (percentile(with, 0.99) - percentile(without, 0.99)) / 1000.0, m1 / m0);
}

}  // namespace

int main(int argc, char** argv) {
    const int sales = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    std::string folder = argc > 2 ? argv[2] : "journal_cost.d";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/VtxClient.jnl";
    std::filesystem::remove(path);

    QuietDialogs dialogs;
    TimingComm comm;
    ClientSession session(dialogs, comm);
    EstruturaPrincipal& s = session.settings;
    s.CodigoEstab = QStringLiteral("123456789012345");
    s.NomeAdministradora = QStringLiteral("REDE ALFA");
    s.CodigoAdministradora = QStringLiteral("ALFA0001");
    session.cartao.numero = QStringLiteral("6012345678901234");
    TransactionJournal journal(path);
    journal.load();

    Times without;
    Times with;
    for (int i = 0; i < sales; ++i) {
        session.journal = nullptr;
        oneSale(session, comm, without);
        session.journal = &journal;
        oneSale(session, comm, with);
        if (i % 200 == 199) journal.compact();  // as the client does at start-up
    }
    std::printf("%d sales of 3 products each, journal %s (fdatasync per step)\n", sales, path.c_str());
    report("sale", without.sale, with.sale);
    report("confirmation", without.confirmation, with.confirmation);
    std::filesystem::remove_all(folder);
    return 0;
}

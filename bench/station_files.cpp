// station_files: what keeping a station's report and batch files
// (vtx-hostsim --station-dir) costs per sale, and whether the cost grows
// with the transactions the host holds.
//
// A sale is three requests, each answered and each rewriting the files:
// the sale eligibility, one batch of one product, the confirmation. The
// simulator runs without a station folder, then with one (every batch
// open, BatchSize 0), then with batches of 100; for each, the milliseconds
// per sale over each block of sales, so a growth shows as rising figures.
//
// usage: station_files [sales] [block]   (defaults 1500 and 250)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "HostSimProcess.h"

namespace {

namespace fs = std::filesystem;

const std::string kCommon =
    "001-000=1111;040-000=BENCH;940-000=003;942-000=000000000012345;941-000=T4N8B6QX;";

// The reply to one plain-framed request; empty when the exchange failed.
std::string roundTrip(int port, const std::string& message) {
    const int fd = bench::connectLoopback(port);
    if (fd < 0) return "";
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", message.size());
    std::string reply;
    if (bench::sendAll(fd, length + message)) {
        char chunk[4096];
        for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;)
            reply.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    return reply;
}

std::string nsuOf(const std::string& reply) {
    const size_t at = reply.find("012-000=");
    return at == std::string::npos ? "" : reply.substr(at + 8, reply.find(';', at) - at - 8);
}

std::string twelve(const std::string& nsu) {
    char text[16];
    std::snprintf(text, sizeof text, "%012ld", std::atol(nsu.c_str()));
    return text;
}

bool sell(int port) {
    const std::string nsu =
        nsuOf(roundTrip(port, "000-000=0100;011-000=800500;" + kCommon + "953-000=6012000000000001;"));
    if (nsu.empty()) return false;
    const std::string ref = "012-000=" + twelve(nsu) + ";";
    return !roundTrip(port, "000-000=0200;011-000=800300;" + kCommon + ref +
                               "002-000=123456;900-000=0;901-000=01;902-000=7890000000017;"
                               "906-000=1;905-000=002;910-000=0001250;911-000=0001125;")
                .empty() &&
           !roundTrip(port, "000-000=0202;011-000=800300;" + kCommon + ref).empty();
}

void run(const std::string& title, const std::string& folder, const std::string& batchSize,
         bool stationFiles, int sales, int block) {
    fs::remove_all(folder);
    fs::create_directories(folder + "/data");
    for (const auto& entry : fs::directory_iterator(VTX_SOURCE_DIR "/tools/hostsim/data"))
        if (entry.is_regular_file())
            fs::copy_file(entry.path(), folder + "/data/" + entry.path().filename().string());
    std::ofstream(folder + "/data/host.ini") << "[Host]\nBatchSize=" << batchSize << "\n";
    vtx::hostsim::HostSimPort port;
    port.section = "till";
    port.administrator = "BENCH";
    vtx::hostsim::HostSimProcess host(folder, {port});
    host.setDataFolder(folder + "/data");
    host.setRawLog(false);
    if (stationFiles) {
        fs::create_directories(folder + "/station");
        host.setStationFolder(folder + "/station");
    }
    if (!host.start()) {
        std::fprintf(stderr, "%s\n", host.error().c_str());
        std::exit(1);
    }
    std::printf("%s\n", title.c_str());
    auto start = bench::Clock::now();
    for (int i = 1; i <= sales; ++i) {
        if (!sell(host.port("till"))) {
            std::fprintf(stderr, "sale %d failed\n", i);
            std::exit(1);
        }
        if (i % block == 0) {
            const auto now = bench::Clock::now();
            const double ms = std::chrono::duration<double, std::milli>(now - start).count();
            std::printf("  sales %5d-%5d: %6.2f ms per sale\n", i - block + 1, i, ms / block);
            start = now;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int sales = argc > 1 ? std::atoi(argv[1]) : 1500;
    const int block = argc > 2 ? std::atoi(argv[2]) : 250;
    if (sales < 1 || sales > 100000 || block < 1 || block > sales) {
        std::fprintf(stderr, "usage: station_files [sales 1-100000] [block]\n");
        return 2;
    }
    const std::string folder = fs::temp_directory_path().string() + "/station_files." +
                               std::to_string(::getpid());
    run("without a station folder", folder, "0", false, sales, block);
    run("station folder, batches never close", folder, "0", true, sales, block);
    run("station folder, batches of 100", folder, "100", true, sales, block);
    fs::remove_all(folder);
    return 0;
}

#include "AgentStation.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vtx::linkagent::test {
namespace {

vtx::hostsim::HostSimPort hostPort(const char* section, const char* fault,
                                   const char* logonOperator = "") {
    vtx::hostsim::HostSimPort p;
    p.section = section;
    p.fault = fault;
    p.workers = 64;
    p.logonOperator = logonOperator;
    return p;
}

// Operator OPA's tables on the host: a password file and a permission list.
std::string writeHostData(const vtx::cli::test::Station& station) {
    const auto& root = station.root();
    root.writeFile("hostsim/data/cards.ini", "");
    root.writeFile("hostsim/data/products.csv", "");
    root.writeFile("hostsim/data/tables/OPA/UP.S07", "SENHA1\r\n");
    root.writeFile("hostsim/data/tables/OPA/LT0001.S3A", "000,MNG1,SSSSSSSSS\n");
    root.writeFile("hostsim/data/logon.ini", "[OPA]\nBatch=77\nVersion=5\n");
    return root.native("hostsim/data");
}

}  // namespace

AgentStation::AgentStation()
    : fixture({hostPort("host", "none", "OPA"), hostPort("refusing", "refuse")}, writeHostData),
      station(fixture.station) {
    station.setCore("CONFIG", "ESTAB_CODE", "000000000012345");
    station.writeRoutes({vtx::cli::test::Station::route("OPA", fixture.port("host")),
                         vtx::cli::test::Station::route("OPR", fixture.port("refusing"))});
    station.setCore("Config", "SOCKETBIN", "0");
    station.setCore("Config", "ACESS_TYPE", "2");
    station.setCore("LOCAL", "Address", "127.0.0.1");
    station.setCore("LOCAL", "TimeOut", "10");
}

void AgentStation::startAgent(const std::string& dataType, const std::string& lenSize) {
    station.setCore("TCPIP PORTS", "Data Type", dataType);
    station.setCore("TCPIP PORTS", "Len Size", lenSize);
    station.setCore("TCPIP PORTS", "ListenAddress", "127.0.0.1");
    // A free port may be taken between the look and the start: try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int port = freeLoopbackPort();
        station.setCore("TCPIP PORTS", "Port2Listen", std::to_string(port));
        station.setCore("LOCAL", "Port", std::to_string(port));
        agent = std::make_unique<AgentProcess>();
        ASSERT_TRUE(agent->start());
        // On a permanent link the operators are logged on at start; the
        // tests begin once that logon has ended (its status field cleared).
        if (agent->waitForLine("READY") && agent->waitForLine("logon: ")) return;
        agent->stop(SIGKILL);
    }
    FAIL() << "LinkAgent did not start: " << agent->errors();
}

std::string AgentStation::logText() const {
    std::string text;
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(station.root().native("C/Vantrix/LOG"), ec)) {
        std::ifstream in(entry.path(), std::ios::binary);
        text += std::string(std::istreambuf_iterator<char>(in), {});
    }
    return text;
}

std::string saleRequest(const std::string& tag) {
    return "000-000=0200;011-000=" + tag + ";";
}

}  // namespace vtx::linkagent::test

#include "AgentStation.h"

namespace vtx::linkagent::test {
namespace {

vtx::hostsim::HostSimPort hostPort(const char* section, const char* fault) {
    vtx::hostsim::HostSimPort p;
    p.section = section;
    p.fault = fault;
    p.workers = 64;
    return p;
}

}  // namespace

AgentStation::AgentStation()
    : fixture({hostPort("host", "none"), hostPort("refusing", "refuse")}),
      station(fixture.station) {
    station.writeRoutes({vx::test::Station::route("OPA", fixture.port("host")),
                         vx::test::Station::route("OPR", fixture.port("refusing"))});
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
        if (agent->waitForLine("READY")) return;
        agent->stop(SIGKILL);
    }
    FAIL() << "LinkAgent did not start: " << agent->errors();
}

std::string saleRequest(const std::string& tag) {
    return "000-000=0200;011-000=" + tag + ";";
}

}  // namespace vtx::linkagent::test

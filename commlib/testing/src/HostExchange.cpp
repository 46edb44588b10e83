#include "vtx/commlib/testing/HostExchange.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

#include "vx32_cli.h"

namespace vtx::cli::test {

Exchange send(const std::string& message, const char* op, const char* service, bool server) {
    std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
    std::snprintf(buffer.data(), 5, "%04zu", message.size());
    std::memcpy(buffer.data() + 4, message.data(), std::min<size_t>(message.size(), 3072));
    Exchange e;
    e.result =
        server ? Process_Server(buffer.data(), op, service) : Process(buffer.data(), op, service);
    e.reply.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    return e;
}

namespace {

// Route records hold ports of four digits: hosts get free ports below 10000.
std::vector<vtx::hostsim::HostSimPort> withLowPorts(std::vector<vtx::hostsim::HostSimPort> ports) {
    for (auto& p : ports)
        if (p.port == 0) p.port = vtx::hostsim::freeFourDigitPort();
    return ports;
}

std::unique_ptr<vtx::hostsim::HostSimProcess> startHost(
    const Station& station, const std::vector<vtx::hostsim::HostSimPort>& ports,
    const HostFixture::DataWriter& writeData) {
    station.root().writeFile("hostsim/.keep", "");
    const std::string dataFolder = writeData ? writeData(station) : std::string();
    std::unique_ptr<vtx::hostsim::HostSimProcess> process;
    for (int attempt = 0; attempt < 3; ++attempt) {
        process = std::make_unique<vtx::hostsim::HostSimProcess>(station.root().native("hostsim"),
                                                                 withLowPorts(ports));
        if (!dataFolder.empty()) process->setDataFolder(dataFolder);
        if (process->start()) return process;
    }
    ADD_FAILURE() << process->error();
    return process;
}

}  // namespace

HostFixture::HostFixture(std::vector<vtx::hostsim::HostSimPort> ports, DataWriter writeData)
    : process_(startHost(station, ports, writeData)), host(*process_) {}

int freePortEndingIn(int lastThree) {
    for (int port = 6000 + lastThree; port <= 9999; port += 1000) {
        if (vtx::hostsim::claimLoopbackPort(port)) return port;
    }
    return 0;
}

}  // namespace vtx::cli::test

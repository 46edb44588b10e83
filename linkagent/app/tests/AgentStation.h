// Test fixture: a station in a private VTX_ROOT with a running vtx-hostsim
// (section "host" answers and serves operator OPA's logon tables, section
// "refusing" refuses connections), routes OPA -> host and OPR -> refusing,
// terminals of access type 2 pointed at the LinkAgent program, and the
// program itself (started by startAgent(), which returns once the start-up
// logon has ended).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AgentProcess.h"
#include "vtx/commlib/testing/HostExchange.h"

namespace vtx::linkagent::test {

class AgentStation : public ::testing::Test {
protected:
    AgentStation();

    // Writes TCPIP PORTS (a free port, loopback only) and the terminals'
    // LOCAL section, starts LinkAgent and waits for READY and the end of
    // the start-up logon.
    void startAgent(const std::string& dataType = "N", const std::string& lenSize = "4");
    int agentPort() const { return agent->port(); }
    // Every log file under the installation's LOG folder, concatenated.
    std::string logText() const;

    vtx::cli::test::HostFixture fixture;
    vtx::cli::test::Station& station;
    std::unique_ptr<AgentProcess> agent;
};

// A sale request whose 011-000 is `tag` (six digits).
std::string saleRequest(const std::string& tag = "003000");

}  // namespace vtx::linkagent::test

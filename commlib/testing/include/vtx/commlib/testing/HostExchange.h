// Test helper: a station and a running vtx-hostsim, with one call that sends
// a message through Process or Process_Server and returns result and reply.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HostSimProcess.h"
#include "vtx/commlib/testing/Station.h"

namespace vtx::cli::test {

struct Exchange {
    int result = 0;
    std::string reply;  // the buffer up to its terminator
};

// Frames `message` with "%04d" into a VX_BUFFER_SIZE buffer and calls the library.
Exchange send(const std::string& message, const char* op = "OPA", const char* service = "CHK",
              bool server = false);

// A station whose host simulator serves `ports` on free four-digit ports;
// started in the constructor, on other ports when one was taken meanwhile
// (the test fails when it does not start at all). `writeData`, when given,
// writes the simulator's data folder into the station's root before the
// start and returns its native path.
class HostFixture {
public:
    using DataWriter = std::function<std::string(const Station&)>;
    explicit HostFixture(std::vector<vtx::hostsim::HostSimPort> ports, DataWriter writeData = {});
    Station station;

private:
    std::unique_ptr<vtx::hostsim::HostSimProcess> process_;

public:
    vtx::hostsim::HostSimProcess& host;
    int port(const std::string& section) const { return host.port(section); }
};

// A free four-digit loopback port whose last three digits are `lastThree`
// (the shift cipher's key: 0 for "000", 200 for "200"), or 0 when none is free.
int freePortEndingIn(int lastThree);

}  // namespace vtx::cli::test

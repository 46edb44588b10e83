// The simulated host of a station's integration test: vtx-hostsim on a free
// four-digit port, its folder "hostsim" below the station's root, the
// simulator's sample data folder, and the station's operator table and route
// pointing the administrator at it.
//
// Returned not started, so a test may change the data or station folder
// first; start() and port("host") as for any HostSimProcess.
//
// Thread-safety: test set-up, one thread.
#pragma once

#include <memory>
#include <string>

#include "HostSimProcess.h"
#include "vtx/commlib/testing/Station.h"

namespace vtx::cli::test {

// `operatorLine` is the station's operator table (one record); `code` the
// administrator's code its route is written for; `administrator`, when not
// empty, the simulator port's Administrator key; `keys` the port's other
// keys (faults, delay; its section, port and Administrator are set here).
std::unique_ptr<vtx::hostsim::HostSimProcess> stationHost(const Station& station,
                                                          const std::string& operatorLine,
                                                          const std::string& code,
                                                          const std::string& administrator = {},
                                                          vtx::hostsim::HostSimPort keys = {});

}  // namespace vtx::cli::test

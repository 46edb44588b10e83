#include "vtx/commlib/testing/StationHost.h"

#include <utility>

namespace vtx::cli::test {

std::unique_ptr<vtx::hostsim::HostSimProcess> stationHost(const Station& station,
                                                          const std::string& operatorLine,
                                                          const std::string& code,
                                                          const std::string& administrator,
                                                          vtx::hostsim::HostSimPort keys) {
    vtx::hostsim::HostSimPort port = std::move(keys);
    port.section = "host";
    port.port = vtx::hostsim::freeFourDigitPort();
    port.administrator = administrator;
    station.root().writeFile("hostsim/.keep", "");
    auto host = std::make_unique<vtx::hostsim::HostSimProcess>(
        station.root().native("hostsim"), std::vector<vtx::hostsim::HostSimPort>{port});
    host->setDataFolder(VTX_HOSTSIM_SAMPLE_DATA);
    station.writeOperatorTable({operatorLine});
    station.writeRoutes({Station::route(code, port.port)});
    return host;
}

}  // namespace vtx::cli::test

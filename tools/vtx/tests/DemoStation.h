// Test helper: the station the transaction commands of `vtx` run against in
// these tests: vtx-hostsim with the sample data serving administrator
// DEMO0001, the station's establishment code, its captions (the shipped
// VtxClient.ini) and a products file C:\Vantrix\products.csv.
//
// Thread-safety: the test's thread.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "HostSimProcess.h"
#include "vtx/commlib/testing/StationHost.h"

namespace vtx::tool::test {

// The started host (a failure to start fails the running test); `keys`: the
// host port's other keys (a fixed reply, faults).
inline std::unique_ptr<vtx::hostsim::HostSimProcess> startDemoStation(
    const vtx::cli::test::Station& station, const std::string& productsCsv,
    vtx::hostsim::HostSimPort keys = {}) {
    auto host = vtx::cli::test::stationHost(station, "Rede Demo           DEMO0001", "DEMO0001",
                                            {}, std::move(keys));
    EXPECT_TRUE(host->start()) << host->error();
    station.setCore("Config", "ESTAB_CODE", "000000000012345");
    std::ifstream ini(VTX_SOURCE_DIR "/client/app/station/VtxClient.ini", std::ios::binary);
    std::ostringstream settings;
    settings << ini.rdbuf();
    station.root().writeFile("C/Vantrix/VtxClient.ini", settings.str());
    station.root().writeFile("C/Vantrix/products.csv",
                             "# code;quantity;gross;discount;net;type\n" + productsCsv);
    return host;
}

}  // namespace vtx::tool::test

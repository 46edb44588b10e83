// GoogleTest fixture running one vtx-hostsim in a temporary folder, with the
// request and reply texts the default rule works with.
//
// Thread-safety: as GoogleTest fixtures; the host may be used from many threads.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostSimProcess.h"
#include "TempFolder.h"
#include "TestClient.h"

namespace vtx::hostsim::test {

class HostFixture : public ::testing::Test {
protected:
    // Starts the host, serving transactions from `dataFolder` when given;
    // the test fails when it does not come up.
    bool startHost(const std::vector<HostSimPort>& ports, const std::string& dataFolder = "") {
        host_ = std::make_unique<HostSimProcess>(folder_.path(), ports);
        if (!dataFolder.empty()) host_->setDataFolder(dataFolder);
        if (!stationFolder_.empty()) host_->setStationFolder(stationFolder_);
        host_->setRawLog(rawLog_);
        bool started = host_->start();
        EXPECT_TRUE(started) << host_->error();
        return started;
    }

    static HostSimPort hostPort(std::string section, std::string framing = "plain") {
        HostSimPort cfg;
        cfg.section = std::move(section);
        cfg.framing = std::move(framing);
        cfg.workers = 4;
        return cfg;
    }

    static std::string request(const std::string& proc) {
        return "000-000=0200;001-000=99;011-000=" + proc + ";";
    }

    static std::string defaultReply(const std::string& proc, const std::string& nsu,
                                    const std::string& status = "00") {
        return "000-000=0200;011-000=" + proc + ";009-000=" + status + ";012-000=" + nsu + ";";
    }

    HostSimProcess& host() { return *host_; }

    TempFolder folder_;
    bool rawLog_ = true;  // false: the host's log masks card data, as a shop's does
    std::string stationFolder_;  // set: the host keeps its report files there
    std::unique_ptr<HostSimProcess> host_;
};

}  // namespace vtx::hostsim::test

// Test helper: a shop station in a private VTX_ROOT — the locator, CORE.INI,
// the route file, the operator table — with writers for each.
//
// Thread-safety: build and change it on the test's main thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "RouteFile.h"
#include "TestRoot.h"

namespace vtx::cli::test {

using vtx::cli::RouteRecord;

class Station {
public:
    Station();

    // Installation directory as the configuration names it, and natively.
    static constexpr const char* kPathServer = "C:\\Vantrix";
    std::string installDir() const { return root_.native("C/Vantrix"); }
    std::string windowsDir() const { return root_.native("C/Windows"); }

    void setCore(std::string_view section, std::string_view key, std::string_view value) const;
    void setWindowsCore(std::string_view section, std::string_view key,
                        std::string_view value) const;

    // A route record for 127.0.0.1:port on all three services, 1 attempt,
    // 1-second time-out.
    static RouteRecord route(std::string_view code, int port, std::string_view cript = "0");
    void writeRoutes(const std::vector<RouteRecord>& records) const;
    void writeOperatorTable(const std::vector<std::string>& lines) const;

    // The trace file, or empty.
    std::string socketBin() const;

    const vtx::test::TempRoot& root() const { return root_; }

private:
    vtx::test::TempRoot root_;
};

}  // namespace vtx::cli::test

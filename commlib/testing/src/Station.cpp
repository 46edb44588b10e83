#include "vtx/commlib/testing/Station.h"

#include <gtest/gtest.h>

#include "vtx/platform/IniFile.h"

namespace vtx::cli::test {

Station::Station() {
    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server", kPathServer);
    setCore("Config", "SOCKETBIN", "1");
}

void Station::setCore(std::string_view section, std::string_view key,
                      std::string_view value) const {
    ASSERT_TRUE(vtx::platform::iniWriteString("C:\\Vantrix\\CORE.INI", section, key, value));
}

void Station::setWindowsCore(std::string_view section, std::string_view key,
                             std::string_view value) const {
    ASSERT_TRUE(vtx::platform::iniWriteString("CORE.INI", section, key, value));
}

RouteRecord Station::route(std::string_view code, int port, std::string_view cript) {
    RouteRecord r;
    r.code = std::string(code);
    r.ip1 = "127.0.0.1";
    r.portChk = r.portAdm = r.portAtt = std::to_string(port);
    r.attempts = "1";
    r.timeout = "01";
    r.cript = std::string(cript);
    r.posMasterKey = "SECRETKEY";
    return r;
}

void Station::writeRoutes(const std::vector<RouteRecord>& records) const {
    std::string content;
    for (const auto& r : records) content += vtx::cli::encodeRouteRecord(r);
    root_.writeFile("C/Vantrix/VXIFCLI.BIN", content);
}

void Station::writeOperatorTable(const std::vector<std::string>& lines) const {
    std::string content;
    for (const auto& l : lines) content += l + "\r\n";
    root_.writeFile("C/Vantrix/VXTb_Opr.txt", content);
}

std::string Station::socketBin() const {
    return root_.readFile("C/Windows/SOCKET.BIN").value_or("");
}

}  // namespace vtx::cli::test

#include "RequestSettings.h"

#include <cstdlib>
#include <cstring>

#include "Frames.h"
#include "RouteFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::cli {
namespace {

using vtx::platform::IniDocument;

void copyText(char* dst, size_t capacity, std::string_view text) {
    size_t n = std::min(text.size(), capacity - 1);
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

void setSerial(VxConnectionProfile& profile, std::string_view serial) {
    std::memset(profile.serial, 0, sizeof profile.serial);
    std::memcpy(profile.serial, serial.data(), std::min<size_t>(serial.size(), 7));
}

std::string trimmed(std::string_view text) {
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    size_t e = text.find_last_not_of(" \t");
    return std::string(text.substr(b, e - b + 1));
}

int secondsToMs(long seconds) {
    if (seconds <= 0) seconds = kDefaultTimeoutSeconds;
    return static_cast<int>(std::min<long>(seconds, 86400) * 1000);
}

void fromRouteRecords(const StationPaths& paths, std::string_view code, VxConnectionProfile& p,
                      bool traceRoute, SocketTrace& trace, std::string_view section) {
    auto record = findRouteRecord(paths.file("VXIFCLI.BIN"), code);
    if (!record) return;  // an empty profile: the request ends with -163
    copyText(p.address1, sizeof p.address1, record->ip1);
    copyText(p.address2, sizeof p.address2, record->ip2);
    p.portChk = std::atoi(record->portChk.c_str());
    p.portAdm = std::atoi(record->portAdm.c_str());
    p.portAtt = std::atoi(record->portAtt.c_str());
    p.attempts = std::atoi(record->attempts.c_str());
    p.timeoutMs = secondsToMs(std::atol(record->timeout.c_str()));
    p.cipherMode = std::atoi(record->cript.c_str());
    if (traceRoute) {
        trace.step(section, "IP1", record->ip1);
        trace.step(section, "IP2", record->ip2);
        trace.step(section, "PORTACHK", record->portChk);
        trace.step(section, "PORTAADM", record->portAdm);
        trace.step(section, "PORTACATT", record->portAtt);
        trace.step(section, "TENTATIVA", record->attempts);
        trace.step(section, "TIME_OUT", record->timeout);
        trace.step(section, "CRIPT", record->cript);
        // Keys never reach a trace: only the field's presence is shown.
        trace.step(section, "POS_MASTERKEY",
                   std::string(trimmed(record->posMasterKey).size(), '*'));
    }
}

void fromRouteIni(const StationPaths& paths, std::string_view code, VxConnectionProfile& p) {
    auto doc = vtx::platform::loadIni(paths.file("VXIFCLI.BIN"));
    const std::string section = trimmed(code);
    copyText(p.address1, sizeof p.address1, doc->getString(section, "Address1", "", 39));
    copyText(p.address2, sizeof p.address2, doc->getString(section, "Address2", "", 39));
    p.portAdm = static_cast<int32_t>(doc->getInt(section, "ADM", 5004));
    p.portChk = static_cast<int32_t>(doc->getInt(section, "CHK", 5002));
    p.portAtt = static_cast<int32_t>(doc->getInt(section, "ATT", 5002));
    p.cipherMode = static_cast<int32_t>(doc->getInt(section, "Cript", 0));
    p.attempts = static_cast<int32_t>(doc->getInt(section, "Attempt", 1));
    p.timeoutMs = secondsToMs(doc->getInt(section, "TimeOut", kDefaultTimeoutSeconds));
    setSerial(p, doc->getString(section, "Serial", "00000000"));
}

void fromLocalGateway(const IniDocument& core, VxConnectionProfile& p) {
    copyText(p.address1, sizeof p.address1, core.getString("LOCAL", "Address", "", 40));
    p.address2[0] = '\0';
    int port = static_cast<int32_t>(core.getInt("LOCAL", "Port", 5002));
    p.portAdm = p.portChk = p.portAtt = port;
    p.cipherMode = static_cast<int32_t>(core.getInt("LOCAL", "Cript", 0));
    p.attempts = static_cast<int32_t>(core.getInt("LOCAL", "Attempt", 1));
    p.timeoutMs = secondsToMs(core.getInt("LOCAL", "TimeOut", kDefaultTimeoutSeconds));
    setSerial(p, core.getString("LOCAL", "Serial", "00000000"));
}

}  // namespace

std::string RequestSettings::traceSection() const {
    return operatorCode + (mode == Mode::Client ? "-Client" : "-Server");
}

std::string RequestSettings::gatewayTpdu(std::string_view service) const {
    if (gateway <= 0 || !core) return {};
    std::string key = "TPDU_" + std::string(service);
    auto bytes = vtx::wire::hexToBytes(core->getString("Config", key, ""));
    if (!bytes) return {};
    return *bytes;
}

int RequestSettings::sizeTypeFor(std::string_view service) const {
    if (!core) return 0;
    const char* key = service == "ADM"   ? "SIZE_TYPE_ADM"
                      : service == "ATT" ? "SIZE_TYPE_ATT"
                                         : "SIZE_TYPE_CHK";
    return static_cast<int>(core->getInt("CONFIG", key, 0));
}

void loadConnectionProfile(const StationPaths& paths, int accessType, std::string_view operatorCode,
                           int localTrace, SocketTrace& trace, std::string_view traceSection,
                           VxConnectionProfile& profile) {
    profile = VxConnectionProfile{};
    copyText(profile.operatorCode, sizeof profile.operatorCode, operatorCode);
    if (accessType == 0) {
        fromRouteRecords(paths, operatorCode, profile, localTrace == 1, trace, traceSection);
    } else if (accessType == 1) {
        fromRouteIni(paths, operatorCode, profile);
    } else {
        auto core = vtx::platform::loadIni(paths.coreIni);
        fromLocalGateway(*core, profile);
        trace.step("Trace", "LOCAL", profile.address1);
    }
}

RequestSettings loadRequestSettings(Mode mode, std::string_view operatorText, SocketTrace& trace) {
    RequestSettings s;
    s.mode = mode;
    s.paths = readStationPaths();
    auto core = vtx::platform::loadIni(s.paths.coreIni);
    s.core = core;
    s.socketBin = core->getInt("Config", "SOCKETBIN", 0) != 0;
    trace.setEnabled(s.socketBin);
    std::string cli = core->getString("Config", "Cli_Connection", "N", 1);
    s.cliConnection = cli == "Y";
    s.operatorCode = operatorCodeFor(s.paths, operatorText);
    s.localTrace = static_cast<int>(core->getInt("LOCAL", "trace", 0));
    if (s.localTrace == 1)
        trace.step(s.traceSection(), "Arq BIN",
                   vtx::platform::resolve(s.paths.file("VXIFCLI.BIN")));
    s.accessType =
        mode == Mode::Server ? 0 : static_cast<int>(core->getInt("Config", "ACESS_TYPE", 0));
    s.gateway = static_cast<int>(core->getInt("Config", "GATEWAY", 0));
    loadConnectionProfile(s.paths, s.accessType, s.operatorCode, s.localTrace, trace,
                          s.traceSection(), s.profile);
    return s;
}

}  // namespace vtx::cli

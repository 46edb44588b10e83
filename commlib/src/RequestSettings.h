// The settings of one request, read afresh at its start: the station paths,
// the logon hand-over switch, the operator code, the trace switches, the
// access type and the connection profile from the route source the access
// type selects (0 records of VXIFCLI.BIN, 1 VXIFCLI.BIN as an INI file,
// 2 section LOCAL of CORE.INI: the shop's local gateway).
//
// Thread-safety: one object per request.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "SocketTrace.h"
#include "StationConfig.h"
#include "vtx/platform/IniFile.h"
#include "vx32_cli.h"

namespace vtx::cli {

enum class Mode { Client, Server };

inline constexpr int kDefaultTimeoutSeconds = 30;

struct RequestSettings {
    Mode mode = Mode::Client;
    StationPaths paths;
    bool cliConnection = false;  // CORE.INI Config/Cli_Connection "Y"
    std::string operatorCode;    // 8 characters
    int localTrace = 0;          // LOCAL/trace
    bool socketBin = false;      // Config/SOCKETBIN
    int accessType = 0;          // forced to 0 in server mode
    int gateway = 0;             // Config/GATEWAY: TPDU bytes to insert
    VxConnectionProfile profile{};
    // CORE.INI as read at the start of the request.
    std::shared_ptr<const vtx::platform::IniDocument> core;

    // "<operator code>-Client" / "-Server": the trace section of the request.
    std::string traceSection() const;

    // TPDU bytes configured for `service` (Config/TPDU_<service>), empty when
    // GATEWAY is 0 or the value is missing or not hexadecimal.
    std::string gatewayTpdu(std::string_view service) const;

    // Config/SIZE_TYPE_<service> (ADM, ATT, else CHK).
    int sizeTypeFor(std::string_view service) const;
};

RequestSettings loadRequestSettings(Mode mode, std::string_view operatorText, SocketTrace& trace);

// Fills `profile` for `operatorCode` from the route source of `accessType`
// (used by the request and by the support command).
void loadConnectionProfile(const StationPaths& paths, int accessType, std::string_view operatorCode,
                           int localTrace, SocketTrace& trace, std::string_view traceSection,
                           VxConnectionProfile& profile);

}  // namespace vtx::cli

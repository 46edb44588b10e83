#include "Failover.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "ShiftCipher.h"
#include "SocketIo.h"
#include "vtx/platform/Reachability.h"

namespace vtx::cli {
namespace {

constexpr int kProbeTimeoutMs = 1000;
// The record form holds one digit; an INI route asking for more is held to
// this, so a request always ends.
constexpr int kMaxAttempts = 99;

// Lower case, trailing blanks removed.
std::string normalisedAddress(const char* raw) {
    std::string address(raw);
    while (!address.empty() && address.back() == ' ') address.pop_back();
    for (char& c : address) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return address;
}

bool tryAddress(int sock, const std::string& address, const VxConnectionProfile& p) {
    const int attempts = std::clamp(p.attempts, 0, kMaxAttempts);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (connectSocket(sock, address.c_str(), p.selectedPort, p.timeoutMs) == 0) return true;
    }
    return false;
}

}  // namespace

void selectService(VxConnectionProfile& profile, std::string_view service, int sizeType) {
    if (service == "ADM")
        profile.selectedPort = profile.portAdm;
    else if (service == "ATT")
        profile.selectedPort = profile.portAtt;
    else
        profile.selectedPort = profile.portChk;
    profile.sizeType = sizeType;
    vtx::wire::shiftKeyText(profile.selectedPort, profile.shiftKey);
}

int connectWithFailover(int sock, const VxConnectionProfile& p, SocketTrace& trace) {
    const std::string code(p.operatorCode);
    const std::string addresses[2] = {normalisedAddress(p.address1), normalisedAddress(p.address2)};
    bool answered = false;
    for (int i = 0; i < 2; ++i) {
        const std::string& address = addresses[i];
        const std::string status = "STATUSSERVER_" + std::to_string(i + 1);
        if (i == 1 && address.empty()) {
            trace.always(status, address, "INACESSIVEL");
            break;
        }
        if (tryAddress(sock, address, p)) {
            char key[96];
            // Fits: an address is at most 40 characters.
            (void)std::snprintf(key, sizeof key, "IP%d %s - Port %d", i + 1, address.c_str(),
                                p.selectedPort);
            trace.always("TRACE", key, code);
            return 0;
        }
        bool alive = vtx::platform::probeHost(address, kProbeTimeoutMs);
        answered = answered || alive;
        trace.always(status, address, alive ? "ACESSIVEL" : "INACESSIVEL");
    }
    return answered ? VX_SERVER_REFUSING : VX_NO_SERVER;
}

}  // namespace vtx::cli

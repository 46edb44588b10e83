#include "RequestProcessor.h"

#include <cstring>
#include <string>
#include <string_view>

#include "EncipheredChannel.h"
#include "Failover.h"
#include "Field953.h"
#include "Frames.h"
#include "LogonHandover.h"
#include "ReplyReader.h"
#include "ShiftCipher.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vtx/platform/SocketError.h"

namespace vtx::cli {
namespace {

using namespace vtx::wire;

constexpr std::string_view kLogonPrefix = "LOGIN|";

// The frame that leaves for the host, and what the reply header looks like.
struct OutgoingFrame {
    std::string bytes;
    ReplyShape reply;
};

OutgoingFrame buildFrame(const RequestSettings& s, std::string_view service,
                         std::string_view message, SocketTrace& trace) {
    const std::string section = s.traceSection();
    const bool logon = message.substr(0, kLogonPrefix.size()) == kLogonPrefix;
    OutgoingFrame out;
    if (s.accessType == 2 && !logon) {
        out.bytes = tpduFrame(service, s.operatorCode, message);
        out.reply.tpdu = true;
        trace.step(section, "Entrada com TPDU", out.bytes);
        return out;
    }
    out.bytes = plainFrame(message);
    trace.step(section, "Entrada sem TPDU", out.bytes);
    if (logon) return out;
    const std::string gatewayTpdu = s.gatewayTpdu(service);
    if (!gatewayTpdu.empty()) {
        out.bytes = gatewayTpduFrame(gatewayTpdu, message);
        out.reply.gatewayBytes = gatewayTpdu.size() + 2;
    } else if (s.profile.sizeType == 1 && s.accessType != 2) {
        out.bytes = binaryLengthFrame(message);
        out.reply.binaryLength = true;
    }
    return out;
}

int exchange(int sock, const RequestSettings& s, std::string_view service, char* buffer,
             size_t messageLen, SocketTrace& trace) {
    const std::string section = s.traceSection();
    const VxConnectionProfile& p = s.profile;
    std::string_view message(buffer + 4, messageLen);
    trace.step(section, "Entrada", message);
    OutgoingFrame frame = buildFrame(s, service, message, trace);
    frame.reply.clientGateway = s.mode == Mode::Client && s.accessType == 2;
    frame.reply.cipherMode = p.cipherMode;
    frame.reply.shiftKey = shiftKeyForPort(p.selectedPort);

    const int timeoutMs = p.timeoutMs;
    bool sentWhole;
    if (p.cipherMode == 2) {
        int n = sendEnciphered(sock, frame.bytes.data(), frame.bytes.size(), p.serial,
                               timeoutMs / 1000, threadState().masterKey);
        sentWhole = n == static_cast<int>(frame.bytes.size());
    } else {
        if (p.cipherMode == 1) {
            const int key = frame.reply.shiftKey;
            trace.stepEnciphered(
                section, "Envio Msg Cript ", frame.bytes,
                [key](std::string& text) { shiftEncipher(text.data(), text.size(), key); });
            shiftEncipher(frame.bytes.data(), frame.bytes.size(), key);
        }
        sentWhole =
            sendAll(sock, frame.bytes.data(), frame.bytes.size(), timeoutMs) == frame.bytes.size();
    }
    std::memset(frame.bytes.data(), 0, frame.bytes.size());
    std::memset(buffer, 0, VX_BUFFER_SIZE);
    // A request that did not leave whole gets no reply worth waiting for.
    if (!sentWhole) return VX_NO_SERVER;

    return readReply(sock, frame.reply, timeoutMs, buffer, trace, section);
}

}  // namespace

int processRequest(char* buffer, const char* operatorText, const char* service, Mode mode) {
    const size_t len = announcedLength(std::string_view(buffer, 4));
    if (len < 5 || len > kMaxMessage || buffer[4 + 4] == '\0') return VX_BAD_LENGTH;

    SocketTrace trace;
    RequestSettings s = loadRequestSettings(mode, operatorText ? operatorText : "", trace);
    const std::string section = s.traceSection();
    const std::string_view svc = service ? service : "";

    buffer[4 + len] = '\0';
    std::string_view message(buffer + 4, len);
    trace.step("RECV", "MSG", message);

    if (s.cliConnection && message.find(kLogonPrefix) != std::string_view::npos) {
        handOverLogon(s.paths, trace, section);
        std::memcpy(buffer, "0002OK", 7);
        return 0;
    }

    trace.step(section, "OPER", operatorText ? operatorText : "");
    applyField953Rule(buffer, 4 + len);

    if (s.profile.cipherMode == 2) loadMasterKey(threadState().masterKey);
    int sock = openStreamSocket();
    if (sock < 0) {
        setLastError(vtx::platform::lastWinsockError());
        std::memset(buffer, 0, VX_BUFFER_SIZE);
        return VX_NO_SOCKET;
    }
    selectService(s.profile, svc, s.sizeTypeFor(svc));
    int connected = connectWithFailover(sock, s.profile, trace);
    if (connected != 0) {
        closeSocket(sock);
        std::memset(buffer, 0, VX_BUFFER_SIZE);
        return mode == Mode::Client && s.accessType == 2 ? VX_NO_SERVER : connected;
    }
    int result = exchange(sock, s, svc, buffer, len, trace);
    closeSocket(sock);
    return result;
}

}  // namespace vtx::cli

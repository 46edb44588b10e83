#include "LogonHandOver.h"

#include "vtx/linkagent/CSocket.h"
#include "vtx/linkagent/TerminalFrame.h"
#include "vtx/platform/SocketError.h"

namespace vtx::linkagent {
namespace {

// A listener on every local address is reached through loopback.
std::string reachableAddress(const std::string& listenAddress) {
    if (listenAddress.empty() || listenAddress == "0.0.0.0") return "127.0.0.1";
    return listenAddress;
}

std::string socketProblem(int error) {
    if (error == CSocket::kPeerClosed) return "the connection was closed without an answer";
    if (error == vtx::platform::kWsaEconnrefused) return "connection refused (10061)";
    return "socket error " + std::to_string(error);
}

}  // namespace

HandOverResult handOverLogon(const ListenSettings& listen, std::chrono::milliseconds bound) {
    const auto deadline = CSocket::Clock::now() + bound;
    HandOverResult result;
    const std::string address = reachableAddress(listen.address);
    result.where = address + ":" + std::to_string(listen.port);

    CSocket socket;
    if (!socket.CreateToConnect() || !socket.Connect(address, listen.port)) {
        result.detail = socketProblem(socket.ObtemUltimoErro());
        socket.Close();
        return result;
    }
    const std::string request = logonRequest(listen.framing);
    if (!socket.Send(request.data(), static_cast<int>(request.size()))) {
        result.detail = socketProblem(socket.ObtemUltimoErro());
        socket.Close();
        return result;
    }
    // The answer is "0002OK", or a negative code ("-163") and the close.
    std::string answer;
    char byte = 0;
    while (answer.size() < kLogonAnswer.size() && socket.Receive(&byte, 1, deadline) == 1)
        answer.push_back(byte);
    const int lastError = socket.ObtemUltimoErro();
    socket.Close();
    result.accepted = answer == kLogonAnswer;
    if (!answer.empty()) {
        result.detail = answer;
    } else if (lastError != vtx::platform::kWsaEtimedout && lastError != 0) {
        result.detail = socketProblem(lastError);
    } else {
        result.detail =
            "no answer within " +
            std::to_string(std::chrono::duration_cast<std::chrono::seconds>(bound).count()) + " s";
    }
    return result;
}

}  // namespace vtx::linkagent

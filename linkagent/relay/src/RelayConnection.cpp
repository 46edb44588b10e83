#include "vtx/linkagent/RelayConnection.h"

#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "Frames.h"
#include "vx32_cli.h"

namespace vtx::linkagent {

void RelayConnection::serve(const ArrivedRequest& arrived) const {
    CSocket connection;
    connection.Attach(arrived.socket);
    connection.Config();
    services_.logger.log("Mensagem recebida " + arrived.length + " " + arrived.request);
    services_.status.show(StatusField::Message, "Mensagem recebida");
    const std::string reply = answer(arrived.request);
    if (!reply.empty()) connection.Send(reply.data(), static_cast<int>(reply.size()));
    closeAfterReply(connection);
}

std::string RelayConnection::answer(const std::string& request) const {
    int code = VX_NO_SERVER;
    if (services_.guard.ensureConnection()) {
        if (isLogonRequest(request)) {
            services_.status.show(StatusField::Message, "Iniciando Login.");
            if (services_.startLogon) services_.startLogon();
            if (services_.startDownload) services_.startDownload();
            return std::string(kLogonAnswer);
        }
        Relayed relayed = relay(request);
        if (relayed.code >= 0) return relayed.frame;
        code = relayed.code;
    }
    if (services_.guard.dialUpDown()) code = VX_NO_SERVER;
    char text[40];
    (void)std::snprintf(text, sizeof text, "Enviando erro [%d]", code);  // fits
    services_.status.show(StatusField::Message, text);
    return errorReply(code);
}

RelayConnection::Relayed RelayConnection::relay(const std::string& request) const {
    // Too short to hold a route and a length, or announcing more than came:
    // the library would read past the request.
    if (request.size() < kRouteSize + 4) return {VX_BAD_LENGTH, {}};
    const std::string_view plain = std::string_view(request).substr(kRouteSize);
    if (vtx::wire::announcedLength(plain) > plain.size() - 4) return {VX_BAD_LENGTH, {}};

    const std::string service = request.substr(0, 3);
    const std::string code = request.substr(3, 8);
    services_.status.show(StatusField::Message, "Enviando mensagem.");
    std::array<char, VX_BUFFER_SIZE> buffer{};
    std::memcpy(buffer.data(), plain.data(), plain.size());  // at most 4 + 3072 bytes
    int result = 0;
    {
        ExchangeScope inUse(services_.guard);
        result = services_.exchange(buffer.data(), code.c_str(), service.c_str());
    }
    if (result <= 0) return {result, {}};
    if (result < 4 || result > VX_BUFFER_SIZE - 1) return {VX_BAD_LENGTH, {}};

    // The digits are written from the result: a reply the host cut short
    // comes back as 4 with no digits in the buffer and travels as "0000".
    std::string framed(buffer.data(), static_cast<size_t>(result));
    vtx::wire::formatAsciiLength(static_cast<size_t>(result) - 4, framed.data());
    std::optional<std::string> frame =
        replyFrame(options_.framing, std::string_view(request).substr(0, kRouteSize), framed);
    if (!frame) return {VX_BAD_LENGTH, {}};
    services_.status.show(StatusField::Message, "Enviando resposta.");
    return {0, std::move(*frame)};
}

void RelayConnection::closeAfterReply(CSocket& socket) const {
    // Bytes the terminal sent beyond its request are read first: closing with
    // unread bytes would reset the connection, and a reset can destroy the
    // reply before the terminal has read it. Closing shuts down sending
    // first, so the reply is followed by an orderly end of stream.
    char scratch[512];
    for (int rounds = 0; rounds < 16; ++rounds) {
        if (::recv(socket.ObtemNumeroSocket(), scratch, sizeof scratch, MSG_DONTWAIT) <= 0) break;
    }
    socket.Close();
}

}  // namespace vtx::linkagent

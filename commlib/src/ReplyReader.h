// Reading the host's reply to one request and placing the framed reply in the
// caller's buffer. Grammar of the frames: doc/wire-frames.md.
//
// Thread-safety: any thread; one call per request.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "SocketIo.h"
#include "SocketTrace.h"

namespace vtx::cli {

// What the reply looks like, decided by how the request was framed.
struct ReplyShape {
    bool tpdu = false;          // the reply is a TPDU frame (access type 2)
    bool binaryLength = false;  // 2-byte binary length
    size_t gatewayBytes = 0;    // gateway TPDU bytes (with their length) ahead of the digits
    bool clientGateway =
        false;  // client request through the local gateway: "-nnn" codes, doubled waits
    int cipherMode = 0;
    int shiftKey = 0;
    // The time the whole body may take (doubled with clientGateway); tests
    // shorten it.
    std::chrono::milliseconds bodyTime = kReplyBodyTime;
};

// Waits for the reply header up to `timeoutMs` in all (doubled for a DES
// frame through the local gateway), reads the body within shape.bodyTime,
// deciphers, unwraps and copies the framed reply (four digits and the reply)
// into `buffer` (VX_BUFFER_SIZE bytes, zeroed by the caller) with a
// terminator. Returns the framed reply's length, 4 when the reply came short,
// -163 when no whole header came in time, -202 for an impossible length, or a
// gateway's code.
int readReply(int sock, const ReplyShape& shape, int timeoutMs, char* buffer, SocketTrace& trace,
              const std::string& section);

}  // namespace vtx::cli

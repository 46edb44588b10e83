// Sending and receiving one DES-enciphered frame (cipher mode 2) on a
// connected socket. Grammar: doc/wire-frames.md.
//
// Thread-safety: any thread; the master key is passed by the caller.
#pragma once

#include <chrono>
#include <cstddef>

#include "DesBlock.h"
#include "SocketIo.h"

namespace vtx::cli {

// Loads the master key of cipher mode 2: CHAVES/MASTERKEY of CORE.INI in the
// Windows directory decoded over a zero key; eight bytes 0x6B when the key is
// missing.
void loadMasterKey(vtx::wire::DesKey& key);

// Sends header and payload. Returns the payload bytes sent, or the header
// bytes sent when the header did not go whole.
int sendEnciphered(int sock, const char* payload, size_t len, const char serial[8], int waitSeconds,
                   const vtx::wire::DesKey& masterKey);

struct EncipheredReceive {
    int length = 0;               // payload length, 0 when header or payload came short
    int gatewayCode = 0;          // a gateway's negative code read in place of the header
    bool headerReceived = false;  // the whole 23-byte header came in time
    bool oversize = false;        // the header announced more than `capacity` bytes
};

// Receives one frame into `dst` (at most `capacity` bytes), deciphered. Each
// wait lasts at most `waitMs`; the header comes within `waitMs` in all, the
// payload within `payloadTime`.
EncipheredReceive receiveEnciphered(int sock, char* dst, size_t capacity, int waitMs,
                                    bool gatewayHeader, const vtx::wire::DesKey& masterKey,
                                    std::chrono::milliseconds payloadTime = kReplyBodyTime);

}  // namespace vtx::cli

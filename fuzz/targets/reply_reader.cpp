// The library's reading of a host's reply from a socket, on any bytes the
// peer sends, in every shape a request can give it: plain four digits,
// binary length, TPDU, gateway TPDU (with the gateway's "-nnn" codes in
// place of a header), the shift cipher, and the DES frame's header and
// payload. The first bytes of the input choose the shape; the rest is what
// the peer sent before closing. Whatever arrives, the caller gets a code of
// the library's table or a framed reply that fits its buffer, terminated.
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "ReplyReader.h"
#include "SocketTrace.h"
#include "ThreadState.h"
#include "vx32_cli.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // SOCKET.BIN lands in a station of the fuzzer's own.
    const std::string& root = vtx::fuzz::scratchFolder("reply");
    std::filesystem::create_directories(root + "/C/Windows");
    setenv("VTX_ROOT", root.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::cli;
    if (size < 3) return 0;
    const uint8_t mode = data[0];
    ReplyShape shape;
    shape.cipherMode = mode % 3;
    shape.tpdu = (mode & 0x04) != 0;
    shape.binaryLength = !shape.tpdu && (mode & 0x08) != 0;
    shape.clientGateway = (mode & 0x10) != 0;
    shape.gatewayBytes = shape.tpdu || shape.binaryLength ? 0 : (data[1] & 0x0F);
    shape.shiftKey = data[1] >> 4;
    shape.bodyTime = std::chrono::milliseconds(2000);
    const bool traced = (mode & 0x20) != 0;
    for (size_t i = 0; i < threadState().masterKey.size(); ++i)
        threadState().masterKey[i] = static_cast<uint8_t>(data[2] + 17 * i);
    const uint8_t* sent = data + 3;
    const size_t sentSize = std::min<size_t>(size - 3, 60000);

    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return 0;
    int bufferSize = 1 << 17;
    setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &bufferSize, sizeof bufferSize);
    size_t written = 0;
    while (written < sentSize) {
        const ssize_t n = write(fds[1], sent + written, sentSize - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    close(fds[1]);  // the peer has said all it will: every wait ends at once

    std::vector<char> buffer(VX_BUFFER_SIZE + 64, '\x7f');
    std::memset(buffer.data(), 0, VX_BUFFER_SIZE);
    int result;
    {
        SocketTrace trace(traced);
        result = readReply(fds[0], shape, 2000, buffer.data(), trace, "Fuzz");
    }
    close(fds[0]);
    // The station's trace is started afresh: a SOCKET.BIN that grows with
    // every entry would slow each run down.
    if (traced) unlink((std::string(getenv("VTX_ROOT")) + "/C/Windows/SOCKET.BIN").c_str());

    if (result < 0) {
        vtx::fuzz::require(result == VX_NO_SERVER || result == VX_BAD_LENGTH || result >= -99999,
                           "a failure is a code of the table or a gateway's code");
    } else {
        vtx::fuzz::require(result >= 4 && result < VX_BUFFER_SIZE, "a reply fits the buffer");
        if (result > 4) vtx::fuzz::require(buffer[static_cast<size_t>(result)] == '\0', "a reply is terminated");
    }
    for (size_t i = VX_BUFFER_SIZE; i < buffer.size(); ++i)
        vtx::fuzz::require(buffer[i] == '\x7f', "nothing written past the buffer");
    return 0;
}

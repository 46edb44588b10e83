// The C functions of the library: a thin layer over the C++ inside. Every
// export catches everything, so no exception crosses into a caller.
#include <cstdio>
#include <cstring>
#include <utility>

#include "DirectExchange.h"
#include "EncipheredChannel.h"
#include "OperatorList.h"
#include "PriceLookup.h"
#include "RequestProcessor.h"
#include "SocketIo.h"
#include "ThreadState.h"
#include "vtx/platform/ExportGuard.h"
#include "vx32_cli.h"

using namespace vtx::cli;

namespace {

// The guard of every export of the station's libraries.
template <typename F>
int guarded(int onFailure, F&& body) noexcept {
    return vtx::platform::guardedExport(onFailure, std::forward<F>(body));
}

}  // namespace

extern "C" {

VX32_API int Process(char* buffer, const char* operatorText, const char* service) {
    if (!buffer) return VX_BAD_LENGTH;
    return guarded(VX_NO_SERVER,
                   [&] { return processRequest(buffer, operatorText, service, Mode::Client); });
}

VX32_API int Process_Server(char* buffer, const char* operatorText, const char* service) {
    if (!buffer) return VX_BAD_LENGTH;
    return guarded(VX_NO_SERVER,
                   [&] { return processRequest(buffer, operatorText, service, Mode::Server); });
}

VX32_API int EnviaDireto(char* buffer, const char* host, int port, int cipherMode, int sock,
                         int connected, VxConnectionProfile* profile) {
    return guarded(-1, [&] {
        return exchangeDirect(buffer, host, port, cipherMode, sock, connected, profile);
    });
}

VX32_API int GetPreco(const char* productCode, const char* priceType, char* description,
                      char* price1, char* price2, int /*reserved*/) {
    return guarded(
        -1, [&] { return lookUpPrice(productCode, priceType, description, price1, price2); });
}

VX32_API int ListAdm(char* list) {
    if (!list) return 0;
    return guarded(0, [&] { return listOperators(list); });
}

VX32_API int TefSocket(VxConnectionProfile* profile) {
    return guarded(-1, [&] {
        if (profile && profile->cipherMode == 2) loadMasterKey(threadState().masterKey);
        return openStreamSocket();
    });
}

VX32_API int TefConnect(int sock, const char* host, int port, int timeoutMs) {
    return guarded(-1, [&] { return connectSocket(sock, host, port, timeoutMs); });
}

VX32_API int TefSend(int sock, const char* payload, int length, const char* serial,
                     int waitSeconds) {
    if (!payload || length < 0) return 0;
    return guarded(0, [&] {
        char zeroSerial[8] = {};
        return sendEnciphered(sock, payload, static_cast<size_t>(length),
                              serial ? serial : zeroSerial, waitSeconds, threadState().masterKey);
    });
}

VX32_API int TefReceive(int sock, char* destination, int /*reserved*/, int waitSeconds,
                        int serverFlag) {
    threadState().lastSocket = sock;
    if (!destination) return 0;
    return guarded(0, [&] {
        // The destination holds a request buffer: a framed message and its terminator.
        EncipheredReceive r =
            receiveEnciphered(sock, destination, VX_BUFFER_SIZE - 1, waitSeconds * 1000,
                              serverFlag == 0, threadState().masterKey);
        if (r.gatewayCode != 0) return r.gatewayCode;
        return r.length;
    });
}

VX32_API int TefClose(int sock) {
    return closeSocket(sock);
}

VX32_API int TefGetSock(char* text) {
    if (text) (void)std::sprintf(text, "%d", threadState().lastSocket);  // cannot fail
    return 0;
}

VX32_API int TefGetLastError(void) {
    return lastError();
}

VX32_API int WaitToSend(int sock, int seconds) {
    return waitWritable(sock, seconds * 1000);
}

VX32_API int WaitToReceive(int sock, int seconds) {
    // A time-out leaves the last error at 0.
    setLastError(0);
    return waitReadable(sock, seconds * 1000);
}

VX32_API void DoEventsEx(void) {}

}  // extern "C"

// The two functions of libVX32_PIN.so: a thin C layer over the drivers. One
// driver exists at a time: each GetTrack replaces it, and GetPassword works
// on the one it left. Every export catches everything, so no exception
// crosses into the client.
#include <cstdio>
#include <mutex>
#include <string>

#include "CriaDriver.h"
#include "PedidoCancelamento.h"
#include "vtx/platform/ExportGuard.h"
#include "vx32_pin.h"

namespace vtx::pinpad {
namespace {

std::mutex driverMutex;
std::unique_ptr<DriverPinPad> currentDriver;  // guarded by driverMutex

// The vendor's 16-bit codes above 200 come back negative.
int32_t mapped(int result) { return result > 200 ? result - 65536 : result; }

// The bodies of the exports, which may throw.
int32_t readTrack(char* buffer) {
    std::lock_guard lock(driverMutex);
    currentDriver.reset();
    clearAbortRequest();
    CreatedDriver created = CriaDriver();
    DriverPinPad& driver = *created.driver;
    int result = created.result;
    if (result == 0) {
        std::string track1 = "  ", track2 = "  ";
        result = driver.LeCartao(track1, track2, nullptr);
        if (result >= 0 && buffer) {
            // Fits: each track is at most kTrackLength (99) characters.
            (void)std::snprintf(buffer, VX_PIN_TRACK_BUFFER, "%s\xE7%s:", track1.c_str(),
                                track2.c_str());
        }
        driver.Descarrega();
    } else if (driver.loaded()) {
        // A PIN pad that would not open is closed and its library unloaded
        // all the same, so the port is free for the next read.
        driver.Descarrega();
    }
    currentDriver = std::move(created.driver);
    return mapped(result);
}

int32_t readPassword(char* buffer) {
    std::lock_guard lock(driverMutex);
    if (!currentDriver || !buffer) return kMissing;
    if (!currentDriver->loaded()) {
        const int loaded = currentDriver->Carrega();
        if (loaded < 0) return loaded;
    }
    const int result = currentDriver->LeTexto(buffer, 1, 6, nullptr);
    currentDriver->Descarrega();
    return mapped(result);
}

}  // namespace
}  // namespace vtx::pinpad

extern "C" {

VX32_PIN_API int32_t GetTrack(char* buffer, const char* /*unused*/) {
    using namespace vtx::pinpad;
    return vtx::platform::guardedExport<int32_t>(kMissing, [&] { return readTrack(buffer); });
}

VX32_PIN_API int32_t GetPassword(char* buffer, const char* /*unused*/) {
    using namespace vtx::pinpad;
    return vtx::platform::guardedExport<int32_t>(kMissing, [&] { return readPassword(buffer); });
}

}  // extern "C"

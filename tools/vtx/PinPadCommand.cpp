#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CardMask.h"
#include "Commands.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/NamedEvent.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::tool {
namespace {

using GetTrackFn = int32_t (*)(char* buffer, const char* unused);

constexpr size_t kTrackBuffer = 400;  // what the point-of-sale client passes

int readCard() {
    std::string error;
    auto library = platform::SharedLibrary::load("VX32_PIN.dll", {}, &error);
    const auto getTrack =
        library ? reinterpret_cast<GetTrackFn>(library->symbol("GetTrack")) : nullptr;
    if (!getTrack) {
        std::fprintf(stderr, "vtx: cannot use libVX32_PIN.so%s%s\n", error.empty() ? "" : ": ",
                     error.c_str());
        return 1;
    }
    std::vector<char> buffer(kTrackBuffer, ' ');
    buffer.back() = '\0';
    const int32_t result = getTrack(buffer.data(), "");
    std::printf("result: %d\n", result);
    if (result >= 0) {
        // Card data is shown masked, as in every trace and log of the station.
        const std::string track(buffer.data());
        std::printf("track: %s\n", platform::cp1252ToUtf8(vtx::wire::maskCardData(track)).c_str());
    }
    return result >= 0 ? 0 : 1;
}

int abortRead() {
    platform::NamedEvent event("VX32_PIN");
    if (!event.set()) {
        std::fputs("vtx: cannot signal the PIN pad's abort event\n", stderr);
        return 1;
    }
    std::puts("abort requested");
    return 0;
}

}  // namespace

int pinpadCommand(const Args& args) {
    if (args.size() == 1 && args[0] == "read") return readCard();
    if (args.size() == 1 && args[0] == "abort") return abortRead();
    std::fputs("usage: vtx pinpad read | vtx pinpad abort\n", stderr);
    return 2;
}

}  // namespace vtx::tool

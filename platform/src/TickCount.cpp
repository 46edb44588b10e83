#include "vtx/platform/TickCount.h"

#include <chrono>

namespace vtx::platform {

uint32_t tickCount() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

}  // namespace vtx::platform

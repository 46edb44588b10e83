// A monotonic millisecond clock that wraps at 2^32, like the Windows tick
// count the timing rules of the system are written against.
//
// Thread-safety: safe from any thread.
#pragma once

#include <cstdint>

namespace vtx::platform {

uint32_t tickCount();

}  // namespace vtx::platform

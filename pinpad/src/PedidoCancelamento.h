// The abort poll of a pending card read: the named manual-reset event
// "VX32_PIN", which any process of the station may set to abort the read
// (`vtx pinpad abort`).
//
// Thread-safety: any thread.
#pragma once

#include <cstdint>

namespace vtx::pinpad {

inline constexpr const char* kAbortEvent = "VX32_PIN";

// 1 when the event is set, or when it cannot be opened; 0 otherwise.
extern "C" int32_t PedidoCancelamento();

// Clears the event before a new read, so an abort asked for an earlier read
// (the event outlives the processes that set it) does not end this one.
void clearAbortRequest();

}  // namespace vtx::pinpad

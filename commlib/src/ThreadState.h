// Values the exported socket primitives keep between calls: the last error,
// the socket last given to TefReceive and the DES master key last loaded by
// TefSocket.
//
// Thread-safety: each thread has its own copy, so concurrent requests of the
// connection manager never see each other's values.
#pragma once

#include "DesBlock.h"

namespace vtx::cli {

struct ThreadState {
    int lastError = 0;
    int lastSocket = 0;
    vtx::wire::DesKey masterKey{};  // zero until a DES request loads it
};

ThreadState& threadState();

inline void setLastError(int code) {
    threadState().lastError = code;
}
inline int lastError() {
    return threadState().lastError;
}

}  // namespace vtx::cli

// The guard around the body of every C function a shared library of the
// station exports: whatever the C++ inside throws (no memory, a failed lock,
// a bug) ends as the function's failure code, never as an exception in the
// caller, which may be C, another compiler's C++, or a thread that cannot
// catch it.
//
// Thread-safety: a pure function; `body` runs on the caller's thread.
#pragma once

namespace vtx::platform {

template <typename Result, typename Body>
Result guardedExport(Result onFailure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onFailure;
    }
}

}  // namespace vtx::platform

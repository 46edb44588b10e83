// The text of a POSIX errno value, for log lines and error messages.
//
// Thread-safety: safe from any thread (strerror's shared buffer is not used).
#pragma once

#include <string>

namespace vtx::platform {

// The system's text for `error` ("No such file or directory"); an unknown
// number gives the system's "Unknown error N".
std::string errorText(int error);

}  // namespace vtx::platform

#include "vtx/platform/ErrorText.h"

#include <cstring>

namespace vtx::platform {

std::string errorText(int error) {
    char buffer[256];
    // The GNU strerror_r: the text is in `buffer` or in a constant string.
    return ::strerror_r(error, buffer, sizeof buffer);
}

}  // namespace vtx::platform

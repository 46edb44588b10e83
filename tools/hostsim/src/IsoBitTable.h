// The ISO 8583 bit formats of the shop's message form: a primary bitmap
// only (bits 1-64), each bit fixed-length, LLVAR (two-digit length) or
// LLLVAR (three-digit length), alphanumeric or numeric. The grammar is in
// doc/hostsim.md ("ISO 8583 form").
//
// Thread-safety: constant data.
#pragma once

#include <cstddef>

namespace vtx::hostsim {

enum class IsoLength { kFixed, kLlvar, kLllvar };

struct IsoBitFormat {
    IsoLength length = IsoLength::kFixed;
    size_t width = 0;  // characters of a fixed bit; the largest length of a variable one
    bool numeric =
        false;  // fixed numeric bits are zero-filled on the left, others blank-filled right
};

constexpr int kIsoFirstBit = 1;
constexpr int kIsoLastBit = 64;

// The format of `bit` (1-64); a bit outside the range is reported as a
// zero-width fixed bit.
IsoBitFormat isoBitFormat(int bit);

}  // namespace vtx::hostsim

// The ISO 8583 tables as the stations hold them, written out again for the
// tests so that the host's own tables are checked against an independent
// copy: the bit each field group travels in, and the format of the bits the
// transactions use.
//
// Thread-safety: constant data.
#pragma once

#include <string>
#include <string_view>

namespace vtx::hostsim::test {

// The bit of a field group ("011" -> 3), 0 when the group is not carried.
int stationBitOf(std::string_view group);

// "06" for a fixed width, "2L" / "3L" for LLVAR / LLLVAR.
std::string_view stationFormatOf(int bit);

// True for the fixed bits the stations zero-fill on the left.
bool stationBitIsNumeric(int bit);

}  // namespace vtx::hostsim::test

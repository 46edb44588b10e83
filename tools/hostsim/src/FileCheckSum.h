// The check value that the station's data files carry as the last two
// characters of their names (UP.Sxx, the report and batch files): over the
// file's bytes, line ends (CR, LF) left out, sum += byte * (weight mod 255)
// with the weight counting 1, 2, 3, ... across lines; the sum modulo 255 as
// two upper-case hexadecimal digits. An addition that would take the sum
// past the 32-bit signed range ends the summing there.
//
// The simulator has its own copy, apart from the station's: a fault in the
// station's reading of a name must not hide behind the same fault here.
//
// Thread-safety: pure function.
#pragma once

#include <string>
#include <string_view>

namespace vtx::hostsim {

std::string fileCheckValue(std::string_view content);

}  // namespace vtx::hostsim

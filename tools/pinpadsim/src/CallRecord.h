// The simulator's record of every call: one line per call, the entry point
// and its arguments separated by "|", appended to the record file, so a
// test reads the order and the parameters the adapter used.
//
// Thread-safety: any thread (each line is one append).
#pragma once

#include <string>
#include <string_view>

namespace vtx::pinpadsim {

void record(const std::string& file, std::string_view line);

// A text argument as recorded: "(null)" for a null pointer.
std::string textArg(const char* text);

}  // namespace vtx::pinpadsim

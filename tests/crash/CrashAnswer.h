// The answer the folder interface's stand-in library gives (the exported
// function CrashAnswer, in place of the communication library's
// Process_Server): fixed fields around the request's field 011-000, so the
// answer file of each request is its own, and long enough that writing it
// takes a moment.
//
// Thread-safety: pure function.
#pragma once

#include <string>
#include <string_view>

namespace vtx::crash {

// The answer's fields ("f1;f2;...;") for a request whose 011-000 is `sequence`.
inline std::string crashAnswerFields(std::string_view sequence) {
    std::string fields = "000-000=0210;009-000=00;011-000=" + std::string(sequence) + ";";
    for (int f = 1; f <= 12; ++f)
        fields += "062-0" + std::string(f < 10 ? "0" : "") + std::to_string(f) + "=" +
                  std::string(200, static_cast<char>('a' + f)) + ";";
    return fields;
}

}  // namespace vtx::crash

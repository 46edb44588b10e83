#include <cstdio>
#include <iostream>
#include <string>

#include "CardMask.h"
#include "Commands.h"
#include "vtx/platform/Cp1252.h"

namespace vtx::tool {
namespace {

// The station's mask works on Windows-1252 bytes (its track separator is
// byte 0xE7); the console speaks UTF-8.
std::string masked(const std::string& text) {
    return platform::cp1252ToUtf8(vtx::wire::maskCardData(platform::utf8ToCp1252(text)));
}

}  // namespace

int maskCommand(const Args& args) {
    if (!args.empty()) {
        std::string text;
        for (const std::string& arg : args) text += (text.empty() ? "" : " ") + arg;
        std::printf("%s\n", masked(text).c_str());
        return 0;
    }
    for (std::string line; std::getline(std::cin, line);) std::printf("%s\n", masked(line).c_str());
    return 0;
}

}  // namespace vtx::tool

#include <cstdio>
#include <iostream>
#include <string>

#include "Commands.h"
#include "MaskedText.h"

namespace vtx::tool {

int maskCommand(const Args& args) {
    if (!args.empty()) {
        std::string text;
        for (const std::string& arg : args) text += (text.empty() ? "" : " ") + arg;
        std::printf("%s\n", maskedText(text).c_str());
        return 0;
    }
    for (std::string line; std::getline(std::cin, line);)
        std::printf("%s\n", maskedText(line).c_str());
    return 0;
}

}  // namespace vtx::tool

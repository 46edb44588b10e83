#include "StandInLogon.h"

#include <array>
#include <cstring>

#include "vx32_cli.h"

namespace vtx::linkagent {

std::vector<std::string> StandInLogon::operatorCodes(const char* list, size_t size) {
    std::vector<std::string> codes;
    size_t at = 0;
    while (at < size && list[at] != '\0') {
        const size_t length = strnlen(list + at, size - at);
        std::string code(list + at, length);
        codes.push_back(code.substr(0, code.find(' ')));
        at += length + 1;
    }
    return codes;
}

bool StandInLogon::startLogon() {
    ++requests_;
    std::array<char, VX_LIST_SIZE> list{};
    if (lister_) lister_(list.data());
    std::string line = "logon stand-in: asked for operators";
    for (const std::string& code : operatorCodes(list.data(), list.size())) line += " " + code;
    output_.line(line);
    return true;
}

}  // namespace vtx::linkagent

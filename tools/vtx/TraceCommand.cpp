#include <cstdio>
#include <fstream>
#include <iterator>

#include "Commands.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {

int traceCommand(const Args& args) {
    if (!args.empty()) {
        std::fputs("usage: vtx trace\n", stderr);
        return 2;
    }
    const std::string path = platform::profilePath("SOCKET.BIN");
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vtx: no trace file at %s\n", path.c_str());
        return 1;
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::printf("# %s\n%s", path.c_str(), platform::cp1252ToUtf8(content).c_str());
    if (!content.empty() && content.back() != '\n') std::putchar('\n');
    return 0;
}

}  // namespace vtx::tool

// `vtx crc FILE`: the size and CRC of a file as the network's list file
// ATCARQ.BIN gives them (CRC-32/MPEG-2, eight upper-case hexadecimal
// digits), so a support person can check a table the station refused, or
// write the entry for a new one. The file is read in pieces: any size.
// Prints "<CRC> <size> <name>"; exit status 0, 2 when it cannot be read.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Commands.h"
#include "vtx/platform/Crc32.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {

int crcCommand(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vtx crc FILE\n", stderr);
        return 2;
    }
    const std::filesystem::path path = platform::resolve(args[0]);
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        std::fprintf(stderr, "vtx: cannot read %s\n", args[0].c_str());
        return 2;
    }
    std::uint32_t crc = platform::kCrc32Mpeg2Start;
    unsigned long long size = 0;
    char chunk[64 * 1024];
    while (in) {
        in.read(chunk, sizeof chunk);
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        crc = platform::crc32Mpeg2(std::string_view(chunk, static_cast<size_t>(got)), crc);
        size += static_cast<unsigned long long>(got);
    }
    if (in.bad()) {
        std::fprintf(stderr, "vtx: cannot read %s\n", args[0].c_str());
        return 2;
    }
    std::printf("%s %llu %s\n", platform::crcText(crc).c_str(), size, path.filename().string().c_str());
    return 0;
}

}  // namespace vtx::tool

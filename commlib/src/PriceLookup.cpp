#include "PriceLookup.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "SocketTrace.h"
#include "StationConfig.h"
#include "vtx/platform/FileSnapshot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::cli {
namespace {

constexpr size_t kCodeWidth = 13;
constexpr size_t kLineMax = 79;  // longer lines are read in pieces

// A caller's text argument, bounded: out-buffers carry no terminator.
std::string bounded(const char* text, size_t max) {
    if (!text) return {};
    return std::string(text, strnlen(text, max));
}

}  // namespace

int lookUpPrice(const char* productCode, const char* priceType, char* description, char* price1,
                char* price2) {
    StationPaths paths = readStationPaths();
    auto core = vtx::platform::loadIni(paths.coreIni);
    const long typeRead = core->getInt("PRODUTO", "TYPE_READ", 0);
    {
        SocketTrace trace(core->getInt("Config", "SOCKETBIN", 0) != 0);
        std::string args = bounded(productCode, kCodeWidth) + "-" + bounded(priceType, 1) + "-" +
                           bounded(description, 20) + "-" + bounded(price1, 7);
        trace.step("TRACE", "Produto", args);
    }
    if (typeRead != 1) return 0;
    if (!productCode || !description || !price1 || !price2) return -1;

    std::string fileName = core->getString("PRODUTO", "FILENAME", "", 259);
    auto content = vtx::platform::loadFileSnapshot(paths.file(fileName));
    if (fileName.empty() || !content) return -1;

    std::string code = bounded(productCode, kCodeWidth);
    const char type = priceType ? priceType[0] : ' ';
    size_t pos = 0;
    while (pos < content->size()) {
        size_t eol = content->find('\n', pos);
        size_t end = eol == std::string::npos ? content->size() : eol;
        for (size_t piece = pos; piece < end; piece += kLineMax) {
            std::string line(content->substr(piece, std::min(kLineMax, end - piece)));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() < kCodeWidth || line.compare(0, kCodeWidth, code) != 0 ||
                code.size() != kCodeWidth)
                continue;
            if (type != ' ' && (line.size() <= 13 || line[13] != type)) return -1;
            line.resize(48, ' ');
            std::memcpy(description, line.data() + 14, 20);
            std::memcpy(price1, line.data() + 34, 7);
            std::memcpy(price2, line.data() + 41, 7);
            return 0;
        }
        pos = end + 1;
    }
    return -1;
}

}  // namespace vtx::cli

#include "StationConfig.h"

#include <strings.h>

#include "vtx/platform/FileSnapshot.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::cli {
namespace {

constexpr size_t kOperatorNameWidth = 20;
constexpr size_t kOperatorCodeWidth = 8;
constexpr size_t kOperatorLinePiece = 107;  // longer lines are read in pieces

std::string padded(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

}  // namespace

std::string StationPaths::file(std::string_view name) const {
    std::string path = pathServer;
    path += '\\';
    path += name;
    return path;
}

StationPaths readStationPaths() {
    StationPaths paths;
    paths.pathServer = vtx::platform::iniGetString(kLocatorFile, "CORE", "Path Server",
                                                   kDefaultPathServer, kPathServerMax);
    paths.coreIni = paths.file("CORE.INI");
    return paths;
}

std::string operatorCodeFor(const StationPaths& paths, std::string_view operatorText) {
    std::string code;
    const std::string wanted = padded(operatorText, kOperatorNameWidth);
    auto table = vtx::platform::loadFileSnapshot(paths.file("VXTb_opr.txt"));
    if (table) {
        size_t pos = 0;
        while (pos < table->size() && code.empty()) {
            size_t eol = table->find('\n', pos);
            size_t end = eol == std::string::npos ? table->size() : eol;
            // A line longer than the reader's fixed buffer counts as several.
            for (size_t piece = pos; piece < end || piece == pos; piece += kOperatorLinePiece) {
                std::string_view line(table->data() + piece,
                                      std::min(kOperatorLinePiece, end - piece));
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                std::string name = padded(line, kOperatorNameWidth);
                if (line.size() > kOperatorNameWidth &&
                    strncasecmp(name.c_str(), wanted.c_str(), kOperatorNameWidth) == 0) {
                    code = padded(line.substr(kOperatorNameWidth), kOperatorCodeWidth);
                    break;
                }
                if (end == piece) break;
            }
            pos = end + 1;
        }
    }
    if (code.empty()) code = padded(operatorText, kOperatorCodeWidth);
    unsigned char first = static_cast<unsigned char>(code[0]);
    if (first < 0x20 || first > 0x7E) code.assign(kOperatorCodeWidth, ' ');
    return code;
}

}  // namespace vtx::cli

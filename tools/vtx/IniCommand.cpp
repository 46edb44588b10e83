// `vtx ini get FILE SECTION KEY` and `vtx ini set FILE SECTION KEY VALUE`:
// one key of a station's INI file read or changed the way the programs do
// it (sections and keys without regard to case, every other line kept, the
// file replaced whole), so support need not edit a Windows-1252 file by
// hand. FILE is a station path ("C:\Vantrix\CORE.INI"), a native one, or a
// bare name in the Windows directory ("WINVTXCORE.INI"). Texts on the
// command line and on the terminal are UTF-8.
#include <cstdio>

#include "Commands.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {

int iniCommand(const Args& args) {
    const bool get = args.size() == 4 && args[0] == "get";
    const bool set = args.size() == 5 && args[0] == "set";
    if (!get && !set) {
        std::fputs("usage: vtx ini get FILE SECTION KEY | vtx ini set FILE SECTION KEY VALUE\n", stderr);
        return 2;
    }
    const std::string file = platform::profilePath(args[1]);
    const std::string section = platform::utf8ToCp1252(args[2]);
    const std::string key = platform::utf8ToCp1252(args[3]);
    if (get) {
        auto value = platform::loadIni(file)->find(section, key);
        if (!value) {
            std::fprintf(stderr, "vtx: %s has no [%s] %s\n", file.c_str(), args[2].c_str(),
                         args[3].c_str());
            return 1;
        }
        std::printf("%s\n", platform::cp1252ToUtf8(*value).c_str());
        return 0;
    }
    if (!platform::iniWriteString(file, section, key, platform::utf8ToCp1252(args[4]))) {
        std::fprintf(stderr, "vtx: cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}

}  // namespace vtx::tool

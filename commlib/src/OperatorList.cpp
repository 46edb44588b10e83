#include "OperatorList.h"

#include <algorithm>
#include <cstring>

#include "RouteFile.h"
#include "StationConfig.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"
#include "vx32_cli.h"

namespace vtx::cli {
namespace {

constexpr size_t kSectionListMax = 260;  // INI form: names, zeros, final zero
constexpr size_t kCodeSlot = 9;

}  // namespace

int listOperators(char* list) {
    StationPaths paths = readStationPaths();
    const long accessType = vtx::platform::iniGetInt(paths.coreIni, "Config", "ACESS_TYPE", 0);
    if (accessType == 1) {
        // Double-zero-terminated names; names that do not fit are left out whole.
        std::memset(list, 0, kSectionListMax);
        size_t used = 0;
        for (const std::string& name : vtx::platform::iniSectionNames(paths.file("VXIFCLI.BIN"))) {
            if (used + name.size() + 2 > kSectionListMax) break;
            std::copy_n(name.data(), name.size(), list + used);  // zeros after it already
            used += name.size() + 1;
        }
        return 0;
    }
    std::memset(list, 0, VX_LIST_SIZE);
    size_t used = 0;
    for (const RouteRecord& record :
         readRouteRecords(vtx::platform::resolve(paths.file("VXIFCLI.BIN")))) {
        if (used + kCodeSlot > VX_LIST_SIZE) break;  // at most 56 operators
        std::copy_n(record.code.data(), std::min<size_t>(record.code.size(), 8), list + used);
        used += kCodeSlot;
    }
    return 0;
}

}  // namespace vtx::cli

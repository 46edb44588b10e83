// An entry of the network's list file ATCARQ.BIN on any bytes: an accepted
// entry never names a file or folder outside the installation directory.
#include "FuzzInput.h"
#include "TableList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::linkagent::download;
    std::string problem;
    const auto entry = parseTableEntry(std::string(vtx::fuzz::text(data, size)), problem);
    if (entry) {
        vtx::fuzz::require(entry->subfolder.empty() || safeSubfolder(entry->subfolder),
                           "the subfolder stays inside the installation");
        vtx::fuzz::require(entry->size >= 0, "no negative size");
        vtx::fuzz::require(entry->crc.empty() || entry->crc.size() == 8, "the CRC has 8 digits");
    } else {
        vtx::fuzz::require(!problem.empty(), "a refusal says why");
    }
    return 0;
}

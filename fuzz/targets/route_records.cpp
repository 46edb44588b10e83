// Route records on any bytes: the installer's rewrite of the medium's
// VXIFCFG.BIN / VXIFNAT.BIN writes whole records only, no more than it read,
// each starting with a record in use; the library's record reader decodes
// whatever a record holds.
#include "FuzzInput.h"
#include "RouteFile.h"
#include "vtx/installer/RouteFileRewrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = vtx::fuzz::text(data, size);
    for (int mode : {1, 3}) {
        const auto out = vtx::install::rewriteRoutes(bytes, mode, "127.0.0.1", "5002");
        vtx::fuzz::require(out.records.size() == out.count * 104, "whole records only");
        vtx::fuzz::require(out.records.size() <= bytes.size(), "no more records than read");
        vtx::fuzz::require(out.error.empty() == (out.count > 0), "records or a reason");
    }
    if (size >= vtx::cli::kRouteRecordSize) {
        const auto record = vtx::cli::decodeRouteRecord(bytes.substr(0, vtx::cli::kRouteRecordSize));
        const std::string again = vtx::cli::encodeRouteRecord(record);
        vtx::fuzz::require(again.size() == vtx::cli::kRouteRecordSize, "a record encodes to 104 bytes");
    }
    return 0;
}

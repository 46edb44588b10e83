// The route file VXIFCLI.BIN of a station with local access, made from the
// medium's route records: VXIFCFG.BIN for the dedicated local link (access
// mode 1), VXIFNAT.BIN for address translation (access mode 3).
//
// Each 104-byte record is deciphered (shift cipher, key 71); the file ends at
// a record whose first character is neither a blank nor in "0".."z". Mode 1
// puts the local address in both address fields, the local port in the three
// port fields, 2 attempts, a 30-second time-out, cipher 0 and blanks over the
// master key field except its last byte; mode 3 puts the translated address
// in both address fields and keeps the rest. Each record is enciphered again.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::install {

struct RouteRewrite {
    std::string records;  // the new VXIFCLI.BIN, empty on failure
    size_t count = 0;     // records written
    std::string error;    // why there is none
};

// `medium` is the content of VXIFCFG.BIN or VXIFNAT.BIN; `address` and `port`
// are the IPLOCAL answers (mode 1) or the IPNAT address (mode 3, port unused).
// A file whose size is not a whole number of records, or that holds no
// record before its end mark, is refused.
RouteRewrite rewriteRoutes(std::string_view medium, int accessMode, std::string_view address,
                           std::string_view port);

}  // namespace vtx::install

// The operator route file VXIFCLI.BIN in its record form: 104-byte records,
// one per operator, each byte stored shift-enciphered with key 71.
// Grammar: doc/route-file.md.
//
//   offset 0 code(8) 8 IP1(30) 38 IP2(30) 68 PORTACHK(4) 72 PORTAADM(4)
//   76 PORTACATT(4) 80 TENTATIVA(1) 81 TIME_OUT(2) 83 CRIPT(1) 84 POS_MASTERKEY(20)
//
// Thread-safety: pure functions over files read whole per call.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::cli {

inline constexpr size_t kRouteRecordSize = 104;

// One deciphered record, each field as its text (cut at a zero byte, padding
// kept as stored).
struct RouteRecord {
    std::string code;
    std::string ip1;
    std::string ip2;
    std::string portChk;
    std::string portAdm;
    std::string portAtt;
    std::string attempts;
    std::string timeout;
    std::string cript;
    std::string posMasterKey;
};

// Deciphers and splits one stored record.
RouteRecord decodeRouteRecord(std::string_view stored);

// Pads each field to its width (blanks), cuts longer ones, enciphers.
std::string encodeRouteRecord(const RouteRecord& record);

// The first record whose stored code equals `code` (blank-padded to 8 and
// enciphered), from the file `path` (Windows-style or native). Missing file
// or record: nullopt.
std::optional<RouteRecord> findRouteRecord(const std::string& path, std::string_view code);

// Every whole record of the file in order (a trailing partial record is
// ignored).
std::vector<RouteRecord> readRouteRecords(const std::string& path);

}  // namespace vtx::cli

// One listening port of the host simulator, as its configuration section
// describes it, and the names the configuration uses for framings and faults.
//
// Thread-safety: plain values, immutable once loaded; share freely.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DesBlock.h"
#include "MasterKey.h"

namespace vtx::hostsim {

enum class Framing { kPlain, kBinary, kTpdu, kGatewayTpdu };

enum class Fault {
    kNone,
    kRefuse,
    kCloseBefore,
    kCloseMiddle,
    kCloseAfter,
    kDelay,
    kOversize,
    kMinus163,
    kGarbage
};

enum class Cipher { kNone = 0, kShift = 1, kDes = 2 };

// A kind of request a port's fault is aimed at: a message code ("0202"),
// and a processing code ("800300") or empty for any.
struct RequestKind {
    std::string code;
    std::string proc;

    bool operator==(const RequestKind&) const = default;
};

// One entry of a FaultMix: the fault and the share of requests, in percent,
// it hits.
struct FaultShare {
    Fault fault = Fault::kNone;
    int percent = 0;

    bool operator==(const FaultShare&) const = default;
};

struct PortConfig {
    std::string section;
    int port = 0;  // 0: the system picks a free port
    std::string bind = "127.0.0.1";
    Framing framing = Framing::kPlain;
    std::string gatewayTpdu;  // the TPDU bytes of the gateway framing
    Cipher cipher = Cipher::kNone;
    vtx::wire::DesKey masterKey = vtx::wire::kDefaultMasterKey;
    Fault fault = Fault::kNone;
    std::vector<RequestKind> faultOn;  // the requests the fault hits; empty: every one
    long faultCount = 0;               // only the first this many of them; 0: all
    std::vector<FaultShare> faultMix;  // faults drawn at random per request; empty: `fault`
    uint64_t seed = 1;                 // of the draws (FaultMix, garbage bytes)
    int delayMs = 0;
    int workers = 32;
    std::string status = "00";
    std::optional<std::string> reply;  // fixed reply template
    std::string logonOperator;         // whose logon tables; empty: the section's name
    std::string administrator;         // whose batches; empty: the operator's

    // The administrator code this port's transactions are kept under: the
    // key Administrator, else Operator, else the section's name.
    const std::string& administratorCode() const {
        return !administrator.empty()   ? administrator
               : !logonOperator.empty() ? logonOperator
                                        : section;
    }
};

// Configuration spelling of a value ("close-middle", "gwtpdu", ...).
std::string_view faultName(Fault fault);
std::string_view framingName(Framing framing);

// The value for a configuration spelling, compared without regard to case.
std::optional<Fault> faultFromName(std::string_view name);
std::optional<Framing> framingFromName(std::string_view name);

// The kinds of a FaultOn value, "0202,0200/800300": message codes of four
// digits, each with an optional "/" and processing code of six; blanks
// around an entry do not count. An empty value is the empty list; nullopt
// when an entry is malformed.
std::optional<std::vector<RequestKind>> requestKindsFromText(std::string_view text);

// The shares of a FaultMix value, "close-before:5, delay:10": fault names
// other than none and refuse, each with ":" and a percentage of 1 to 100,
// each fault once, at most 100 in all (the rest of the requests are
// answered normally). nullopt when an entry is malformed.
std::optional<std::vector<FaultShare>> faultMixFromText(std::string_view text);

}  // namespace vtx::hostsim

// One listening port of the host simulator, as its configuration section
// describes it, and the names the configuration uses for framings and faults.
//
// Thread-safety: plain values, immutable once loaded; share freely.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "DesBlock.h"
#include "MasterKey.h"

namespace vtx::hostsim {

enum class Framing { kPlain, kBinary, kTpdu, kGatewayTpdu };

enum class Fault { kNone, kRefuse, kCloseBefore, kCloseMiddle, kDelay, kOversize, kMinus163 };

enum class Cipher { kNone = 0, kShift = 1, kDes = 2 };

struct PortConfig {
    std::string section;
    int port = 0;  // 0: the system picks a free port
    std::string bind = "127.0.0.1";
    Framing framing = Framing::kPlain;
    std::string gatewayTpdu;  // the TPDU bytes of the gateway framing
    Cipher cipher = Cipher::kNone;
    vtx::wire::DesKey masterKey = vtx::wire::kDefaultMasterKey;
    Fault fault = Fault::kNone;
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

}  // namespace vtx::hostsim

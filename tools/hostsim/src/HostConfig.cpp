#include "HostConfig.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <fstream>
#include <sstream>

#include "DecimalText.h"
#include "Frames.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr size_t kMaxTpduBytes = 64;
constexpr long kMaxDelayMs = 600000;
constexpr long kMaxWorkers = 1024;
constexpr size_t kMaxStatus = 32;
constexpr long kMaxFaultCount = 999999999;
constexpr long kMaxSeed = 999999999;

// Applies one key's value; returns what is wrong with the value, or "".
using Setter = std::string (*)(PortConfig&, const std::string&);

std::string setPort(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 0, 65535);
    if (!n) return "is not a port number (0-65535)";
    pc.port = static_cast<int>(*n);
    return "";
}

std::string setBind(PortConfig& pc, const std::string& v) {
    std::string address = equalsIgnoreCase(v, "localhost") ? "127.0.0.1" : v;
    if (!isLoopbackAddress(address)) return "is not a loopback address (127.x.x.x or ::1)";
    pc.bind = address;
    return "";
}

std::string setFraming(PortConfig& pc, const std::string& v) {
    auto f = framingFromName(v);
    if (!f) return "is not one of plain, binary, tpdu, gwtpdu";
    pc.framing = *f;
    return "";
}

std::string setGatewayTpdu(PortConfig& pc, const std::string& v) {
    auto bytes = vtx::wire::hexToBytes(v);
    if (!bytes || bytes->empty() || bytes->size() > kMaxTpduBytes)
        return "is not 1 to 64 bytes written as pairs of hex digits";
    pc.gatewayTpdu = *bytes;
    return "";
}

std::string setCript(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 0, 2);
    if (!n) return "is not 0, 1 or 2";
    pc.cipher = static_cast<Cipher>(*n);
    return "";
}

std::string setMasterKey(PortConfig& pc, const std::string& v) {
    // As the stations decode it: over a zero key; the default key only when
    // none is configured.
    pc.masterKey = {};
    vtx::wire::decodeMasterKey(v, pc.masterKey);
    return "";
}

std::string setFault(PortConfig& pc, const std::string& v) {
    auto f = faultFromName(v);
    if (!f) {
        return "is not one of none, refuse, close-before, close-middle, close-after, delay, "
               "oversize, minus163, garbage";
    }
    pc.fault = *f;
    return "";
}

std::string setFaultOn(PortConfig& pc, const std::string& v) {
    auto kinds = requestKindsFromText(v);
    if (!kinds) {
        return "is not a list of message codes (0202) or message and processing codes "
               "(0200/800300) separated by commas";
    }
    pc.faultOn = std::move(*kinds);
    return "";
}

std::string setFaultCount(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 0, kMaxFaultCount);
    if (!n) return "is not a number of requests (0-999999999)";
    pc.faultCount = *n;
    return "";
}

std::string setFaultMix(PortConfig& pc, const std::string& v) {
    auto shares = faultMixFromText(v);
    if (!shares) {
        return "is not a list of faults with their percentages (close-before:5,delay:10), "
               "each fault once, none and refuse left out, at most 100 in all";
    }
    pc.faultMix = std::move(*shares);
    return "";
}

std::string setSeed(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 0, kMaxSeed);
    if (!n) return "is not a number (0-999999999)";
    pc.seed = static_cast<uint64_t>(*n);
    return "";
}

std::string setDelayMs(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 0, kMaxDelayMs);
    if (!n) return "is not a number of milliseconds (0-600000)";
    pc.delayMs = static_cast<int>(*n);
    return "";
}

std::string setWorkers(PortConfig& pc, const std::string& v) {
    auto n = parseDecimal(v, 1, kMaxWorkers);
    if (!n) return "is not a number of workers (1-1024)";
    pc.workers = static_cast<int>(*n);
    return "";
}

std::string setStatus(PortConfig& pc, const std::string& v) {
    if (v.empty() || v.size() > kMaxStatus) return "must have 1 to 32 characters";
    for (char c : v) {
        if (c == ';' || static_cast<unsigned char>(c) < 0x20) return "must not hold ';'";
    }
    pc.status = v;
    return "";
}

std::string setOperator(PortConfig& pc, const std::string& v) {
    if (v.empty() || v.size() > 8 || v.find_first_of(" /\\") != std::string::npos)
        return "is not an operator code (1 to 8 characters, no blank or slash)";
    pc.logonOperator = v;
    return "";
}

std::string setAdministrator(PortConfig& pc, const std::string& v) {
    if (v.empty() || v.size() > 8 ||
        v.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-") !=
            std::string::npos)
        return "is not an administrator code (1 to 8 letters, digits, '-' or '_')";
    pc.administrator = v;
    return "";
}

std::string setReply(PortConfig& pc, const std::string& v) {
    if (v.empty() || v.size() > vtx::wire::kMaxMessage) return "must have 1 to 3072 characters";
    pc.reply = v;
    return "";
}

struct KeyRule {
    std::string_view key;
    Setter set;
};

constexpr KeyRule kKeys[] = {
    {"Port", setPort},
    {"Bind", setBind},
    {"Framing", setFraming},
    {"GatewayTpdu", setGatewayTpdu},
    {"Cript", setCript},
    {"MasterKey", setMasterKey},
    {"Fault", setFault},
    {"FaultOn", setFaultOn},
    {"FaultCount", setFaultCount},
    {"FaultMix", setFaultMix},
    {"Seed", setSeed},
    {"DelayMs", setDelayMs},
    {"Workers", setWorkers},
    {"Status", setStatus},
    {"Reply", setReply},
    {"Operator", setOperator},
    {"Administrator", setAdministrator},
};

std::string where(const std::string& section, std::string_view key) {
    std::string text = "section [" + section + "]";
    if (!key.empty()) text += ", key " + std::string(key);
    return text;
}

// Checks between keys of one section, once all are read.
std::string crossCheck(const PortConfig& pc) {
    if (pc.framing == Framing::kGatewayTpdu && pc.gatewayTpdu.empty())
        return where(pc.section, "GatewayTpdu") + ": required with Framing=gwtpdu";
    if (pc.fault == Fault::kRefuse && (!pc.faultOn.empty() || pc.faultCount != 0))
        return where(pc.section, pc.faultOn.empty() ? "FaultCount" : "FaultOn") +
               ": Fault=refuse refuses every connection, before any request";
    if (!pc.faultMix.empty() && pc.fault != Fault::kNone)
        return where(pc.section, "FaultMix") + ": draws the faults itself; leave Fault out";
    if (pc.cipher == Cipher::kDes && pc.framing != Framing::kPlain)
        return where(pc.section, "Framing") + ": Cript=2 carries a plain frame; use plain";
    return "";
}

std::optional<PortConfig> parseSection(const platform::IniDocument::Section& s,
                                       std::string& error) {
    PortConfig pc;
    pc.section = s.name;
    for (size_t i = 0; i < s.entries.size(); ++i) {
        const auto& e = s.entries[i];
        for (size_t j = 0; j < i; ++j) {
            if (equalsIgnoreCase(s.entries[j].key, e.key)) {
                error = where(s.name, e.key) + ": given more than once";
                return std::nullopt;
            }
        }
        const KeyRule* rule = nullptr;
        for (const KeyRule& k : kKeys) {
            if (equalsIgnoreCase(k.key, e.key)) rule = &k;
        }
        if (rule == nullptr) {
            error = where(s.name, e.key) + ": unknown key";
            return std::nullopt;
        }
        std::string problem = rule->set(pc, e.value);
        if (!problem.empty()) {
            error = where(s.name, rule->key) + ": value \"" + e.value + "\" " + problem;
            return std::nullopt;
        }
    }
    error = crossCheck(pc);
    if (!error.empty()) return std::nullopt;
    return pc;
}

}  // namespace

bool isLoopbackAddress(const std::string& address) {
    in_addr v4{};
    if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (inet_pton(AF_INET6, address.c_str(), &v6) == 1) return IN6_IS_ADDR_LOOPBACK(&v6);
    return false;
}

std::optional<HostConfig> parseHostConfig(std::string_view content, std::string& error) {
    platform::IniDocument doc = platform::IniDocument::parse(content);
    HostConfig config;
    for (const auto& section : doc.sections()) {
        for (const PortConfig& earlier : config.ports) {
            if (equalsIgnoreCase(earlier.section, section.name)) {
                error = where(section.name, "") + ": section given more than once";
                return std::nullopt;
            }
        }
        auto pc = parseSection(section, error);
        if (!pc) return std::nullopt;
        for (const PortConfig& earlier : config.ports) {
            if (pc->port != 0 && earlier.port == pc->port && earlier.bind == pc->bind) {
                error = where(pc->section, "Port") + ": port " + std::to_string(pc->port) +
                        " is already used by section [" + earlier.section + "]";
                return std::nullopt;
            }
        }
        config.ports.push_back(std::move(*pc));
    }
    if (config.ports.empty()) {
        error = "no port sections: add one [section] per listening port";
        return std::nullopt;
    }
    return config;
}

std::optional<HostConfig> loadHostConfig(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read config file " + path;
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    auto config = parseHostConfig(content.str(), error);
    if (!config) error = path + ": " + error;
    return config;
}

}  // namespace vtx::hostsim

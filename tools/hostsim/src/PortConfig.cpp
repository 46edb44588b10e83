#include "PortConfig.h"
#include "DecimalText.h"
#include "FieldText.h"
#include "vtx/platform/AsciiCase.h"

#include <array>
#include <utility>

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 9> kFaultNames = {{
    {Fault::kNone, "none"},
    {Fault::kRefuse, "refuse"},
    {Fault::kCloseBefore, "close-before"},
    {Fault::kCloseMiddle, "close-middle"},
    {Fault::kCloseAfter, "close-after"},
    {Fault::kDelay, "delay"},
    {Fault::kOversize, "oversize"},
    {Fault::kMinus163, "minus163"},
    {Fault::kGarbage, "garbage"},
}};

constexpr std::array<std::pair<Framing, std::string_view>, 4> kFramingNames = {{
    {Framing::kPlain, "plain"},
    {Framing::kBinary, "binary"},
    {Framing::kTpdu, "tpdu"},
    {Framing::kGatewayTpdu, "gwtpdu"},
}};

bool allDigits(std::string_view text, size_t count) {
    return text.size() == count && text.find_first_not_of("0123456789") == std::string_view::npos;
}

template <typename Enum, size_t N>
std::string_view nameOf(const std::array<std::pair<Enum, std::string_view>, N>& table, Enum v) {
    for (const auto& [value, name] : table) {
        if (value == v) return name;
    }
    return "?";
}

template <typename Enum, size_t N>
std::optional<Enum> valueOf(const std::array<std::pair<Enum, std::string_view>, N>& table,
                            std::string_view text) {
    for (const auto& [value, name] : table) {
        if (equalsIgnoreCase(name, text)) return value;
    }
    return std::nullopt;
}

}  // namespace

std::string_view faultName(Fault fault) {
    return nameOf(kFaultNames, fault);
}
std::string_view framingName(Framing framing) {
    return nameOf(kFramingNames, framing);
}
std::optional<Fault> faultFromName(std::string_view name) {
    return valueOf(kFaultNames, name);
}

std::optional<Framing> framingFromName(std::string_view name) {
    return valueOf(kFramingNames, name);
}

std::optional<std::vector<RequestKind>> requestKindsFromText(std::string_view text) {
    std::vector<RequestKind> kinds;
    if (trimmed(text).empty()) return kinds;
    for (size_t from = 0;;) {
        const size_t comma = text.find(',', from);
        const std::string_view entry = trimmed(text.substr(from, comma - from));
        const size_t slash = entry.find('/');
        const std::string_view code = entry.substr(0, slash);
        const std::string_view proc =
            slash == std::string_view::npos ? std::string_view() : entry.substr(slash + 1);
        if (!allDigits(code, 4) || (slash != std::string_view::npos && !allDigits(proc, 6)))
            return std::nullopt;
        kinds.push_back({std::string(code), std::string(proc)});
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    return kinds;
}

std::optional<std::vector<FaultShare>> faultMixFromText(std::string_view text) {
    std::vector<FaultShare> shares;
    if (trimmed(text).empty()) return shares;
    int total = 0;
    for (size_t from = 0;;) {
        const size_t comma = text.find(',', from);
        const std::string_view entry = trimmed(text.substr(from, comma - from));
        const size_t colon = entry.find(':');
        if (colon == std::string_view::npos) return std::nullopt;
        const std::optional<Fault> fault = faultFromName(trimmed(entry.substr(0, colon)));
        const std::optional<long> percent = parseDecimal(trimmed(entry.substr(colon + 1)), 1, 100);
        if (!fault || *fault == Fault::kNone || *fault == Fault::kRefuse || !percent)
            return std::nullopt;
        for (const FaultShare& earlier : shares) {
            if (earlier.fault == *fault) return std::nullopt;
        }
        total += static_cast<int>(*percent);
        if (total > 100) return std::nullopt;
        shares.push_back({*fault, static_cast<int>(*percent)});
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    return shares;
}

}  // namespace vtx::hostsim

#include "PortConfig.h"
#include "vtx/platform/AsciiCase.h"

#include <array>
#include <utility>

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr std::array<std::pair<Fault, std::string_view>, 7> kFaultNames = {{
    {Fault::kNone, "none"},
    {Fault::kRefuse, "refuse"},
    {Fault::kCloseBefore, "close-before"},
    {Fault::kCloseMiddle, "close-middle"},
    {Fault::kDelay, "delay"},
    {Fault::kOversize, "oversize"},
    {Fault::kMinus163, "minus163"},
}};

constexpr std::array<std::pair<Framing, std::string_view>, 4> kFramingNames = {{
    {Framing::kPlain, "plain"},
    {Framing::kBinary, "binary"},
    {Framing::kTpdu, "tpdu"},
    {Framing::kGatewayTpdu, "gwtpdu"},
}};

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

}  // namespace vtx::hostsim

#include "FaultSelector.h"

#include <string>

#include "FieldMessage.h"
#include "IsoMessage.h"

namespace vtx::hostsim {

RequestKind FaultSelector::kindOf(std::string_view message) {
    if (!IsoMessage::looksLikeIso(message)) {
        FieldMessage fields(message);
        return {std::string(fields.field("000-000").value_or("")),
                std::string(fields.field("011-000").value_or(""))};
    }
    RequestKind kind{std::string(message.substr(0, 4)), ""};
    std::string error;
    // A message whose bits cannot be read still has its type.
    if (std::optional<IsoMessage> iso = IsoMessage::parse(message, error))
        kind.proc = std::string(iso->bit(3).value_or(""));
    return kind;
}

bool FaultSelector::aimedAt(const RequestKind& kind) const {
    if (kind.code.empty()) return false;
    for (const RequestKind& target : targets_) {
        if (target.code == kind.code && (target.proc.empty() || target.proc == kind.proc))
            return true;
    }
    return false;
}

uint64_t FaultDraw::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

Fault FaultSelector::fromMix(uint64_t number) const {
    int point = static_cast<int>(number % 100);
    for (const FaultShare& share : mix_) {
        if (point < share.percent) return share.fault;
        point -= share.percent;
    }
    return Fault::kNone;
}

FaultDraw FaultSelector::draw(std::string_view message) const {
    if (fault_ == Fault::kNone && mix_.empty()) return {};
    if (!targets_.empty() && !aimedAt(kindOf(message))) return {};
    const long n = matched_.fetch_add(1);
    if (limit_ != 0 && n >= limit_) return {};
    // Every request's draw starts from its own point of the seed's
    // sequence, far from its neighbours'.
    FaultDraw draw(Fault::kNone, seed_ * 0xD1B54A32D192ED03ull +
                                     static_cast<uint64_t>(n) * 0x8CB92BA72F3D8DD7ull);
    const uint64_t first = draw.next();
    return FaultDraw(mix_.empty() ? fault_ : fromMix(first), draw.next());
}

}  // namespace vtx::hostsim

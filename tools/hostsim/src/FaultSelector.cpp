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

bool FaultSelector::hits(std::string_view message) const {
    if (fault_ == Fault::kNone) return false;
    if (!targets_.empty() && !aimedAt(kindOf(message))) return false;
    return limit_ == 0 || matched_.fetch_add(1) < limit_;
}

}  // namespace vtx::hostsim

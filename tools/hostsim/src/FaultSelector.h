// Decides which requests a port's fault hits: those of the kinds its key
// FaultOn lists (every request when the list is empty), and of those only
// the first FaultCount (every one when 0), so that a test can drop exactly
// one confirmation and have its retry answered. The kind of a request is
// its message code and processing code: 000-000 and 011-000 in the
// numbered-field form, the message type and bit 3 in the ISO 8583 form. A
// request without a message code (LOGIN|) is of no kind: only an empty
// list hits it.
//
// Thread-safety: hits() may be called from every worker of the port at
// once; the requests matched so far are counted atomically, so no more
// than FaultCount are hit however many arrive together.
#pragma once

#include <atomic>
#include <string_view>
#include <vector>

#include "PortConfig.h"

namespace vtx::hostsim {

class FaultSelector {
public:
    explicit FaultSelector(const PortConfig& config)
        : fault_(config.fault), targets_(config.faultOn), limit_(config.faultCount) {}

    // Whether the port's fault hits the request `message` (deciphered,
    // without framing). A request that matches is counted.
    bool hits(std::string_view message) const;

    // The message code and processing code of `message`; both empty when
    // it has none.
    static RequestKind kindOf(std::string_view message);

private:
    bool aimedAt(const RequestKind& kind) const;

    Fault fault_;
    std::vector<RequestKind> targets_;
    long limit_;
    mutable std::atomic<long> matched_{0};
};

}  // namespace vtx::hostsim

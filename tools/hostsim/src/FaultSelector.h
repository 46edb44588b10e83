// Decides which requests a port's fault hits, and with which fault: those of
// the kinds its key FaultOn lists (every request when the list is empty),
// and of those only the first FaultCount (every one when 0), so that a test
// can drop exactly one confirmation and have its retry answered. The kind
// of a request is its message code and processing code: 000-000 and 011-000
// in the numbered-field form, the message type and bit 3 in the ISO 8583
// form. A request without a message code (LOGIN|) is of no kind: only an
// empty list hits it.
//
// A port with a FaultMix draws the fault of each request it hits at random
// from the mix's shares; the draws follow from the port's Seed and the
// order in which the requests arrive (the n-th request hit gets the n-th
// draw), so a run with the same seed deals the same faults in the same
// order. Each draw also carries the random numbers its fault uses (the time
// a delay of the mix waits, the bytes of a garbage reply).
//
// Thread-safety: draw() may be called from every worker of the port at
// once; the requests hit so far are counted atomically, so no more than
// FaultCount are hit however many arrive together, and no two requests get
// the same draw.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>
#include <vector>

#include "PortConfig.h"

namespace vtx::hostsim {

// The fault one request gets, and a source of random numbers for it.
class FaultDraw {
public:
    FaultDraw() = default;
    FaultDraw(Fault fault, uint64_t state) : fault_(fault), state_(state) {}

    Fault fault() const { return fault_; }
    // The next number of the draw's sequence (splitmix64).
    uint64_t next();

private:
    Fault fault_ = Fault::kNone;
    uint64_t state_ = 0;
};

class FaultSelector {
public:
    explicit FaultSelector(const PortConfig& config)
        : fault_(config.fault),
          mix_(config.faultMix),
          seed_(config.seed),
          targets_(config.faultOn),
          limit_(config.faultCount) {}

    // The fault for the request `message` (deciphered, without framing):
    // kNone when the port's fault does not hit it. A request that matches
    // is counted.
    FaultDraw draw(std::string_view message) const;

    // The message code and processing code of `message`; both empty when
    // it has none.
    static RequestKind kindOf(std::string_view message);

private:
    bool aimedAt(const RequestKind& kind) const;
    // The mix's fault for a number drawn uniformly.
    Fault fromMix(uint64_t number) const;

    Fault fault_;
    std::vector<FaultShare> mix_;
    uint64_t seed_;
    std::vector<RequestKind> targets_;
    long limit_;
    mutable std::atomic<long> matched_{0};
};

}  // namespace vtx::hostsim

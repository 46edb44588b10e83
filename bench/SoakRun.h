// A soak of LinkAgent's relay: T terminals (Process with access type 2, in
// this process, one thread each) send requests without pause for N seconds
// through a LinkAgent program to a vtx-hostsim port that deals faults at
// random (FaultMix, seeded): delays, closes before, in the middle of and
// after its reply, a length of 4000, "-163" for a length, garbage for a
// reply. A share of the requests, drawn from the same seed, goes to an
// operator whose host refuses connections, and another share is sent by a
// terminal that hangs up before the answer (after a wait drawn up to 4 s;
// LinkAgent relays the request and then finds it gone). Each request carries a token of
// its own (its 011-000, which the host echoes), so a reply that reached the
// wrong terminal shows. LinkAgent's resident memory, descriptors and
// threads are sampled every second; once the load ends they must settle
// back to their idle values. The report (SoakReport) holds the verdict.
//
// Thread-safety: run() from one thread at a time; it sets VTX_ROOT for the
// whole process (the terminals' station) and starts its own threads.
#pragma once

#include <cstdint>
#include <cstdio>

#include "SoakReport.h"

namespace bench {

struct SoakOptions {
    int seconds = 600;
    int terminals = 64;
    uint64_t seed = 1;
    // Progress lines (one per sample row) go here while the soak runs;
    // nullptr: none.
    std::FILE* progress = nullptr;
};

class SoakRun {
public:
    explicit SoakRun(SoakOptions options) : options_(options) {}
    SoakReport run();

private:
    SoakOptions options_;
};

}  // namespace bench

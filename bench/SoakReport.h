// What a soak of LinkAgent's relay saw: every terminal request's outcome,
// the fault the host dealt it, LinkAgent's resources over time, and the
// verdict. The checks:
//   - no terminal gets a reply that carries another request's token;
//   - every result is one of the library's documented results of Process
//     (a reply, 4 for a reply cut short, -1, -163, -164, -202);
//   - every outcome fits the fault the host dealt the request (a reply cut
//     in the middle is 4, a length of 4000 is -202, ...); -163, the
//     library's answer to any time running out, fits every fault, since on
//     a loaded machine any request may run out of time;
//   - LinkAgent's descriptors and threads come back to their idle values
//     once the load is over, and it still runs;
//   - LinkAgent's resident memory shows no growth trend after the warm-up.
//
// Thread-safety: filled by one thread (the soak's, after its terminals have
// ended); const members from any thread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

// What one terminal request met.
struct SoakOutcome {
    std::string token;  // the request's own token (its 011-000)
    bool refusedRoute;  // sent to the operator whose host refuses connections
    int result;         // of Process
    std::string kind;   // "reply", "garbage", "short", "mismatch", "undocumented"
                        // or the negative code as text
};

// One look at LinkAgent.
struct SoakSample {
    double seconds;  // since the load began
    long requests;   // answered so far (any outcome)
    long rssKb;
    long descriptors;
    long threads;
};

class SoakReport {
public:
    // The outcome of a Process call: `reply` holds its `result` bytes when
    // the result is positive; `zeroed`: the buffer held only zero bytes
    // after a failure, or nothing but the empty framed reply "0000" after a
    // reply cut short, as the library leaves it.
    static SoakOutcome classify(const std::string& token, bool refusedRoute, int result,
                                const std::string& reply, size_t garbageLength, bool zeroed = true);

    uint64_t seed = 0;
    int terminals = 0;
    double loadSeconds = 0;
    std::vector<SoakOutcome> outcomes;
    // token -> the fault the host's log gives it ("none" when it logged the
    // request without a fault).
    std::map<std::string, std::string> hostFaults;
    std::vector<SoakSample> samples;  // one a second
    long idleDescriptors = 0, idleThreads = 0;
    long settledDescriptors = 0, settledThreads = 0, settledRssKb = 0;
    bool agentRanThrough = false;     // still running after the load
    int agentExit = -1;               // its exit status on SIGTERM at the end
    std::vector<std::string> errors;  // of the set-up and the peers

    // The fault the host dealt `outcome`'s request: its log's, "refused"
    // (sent to the refusing operator) or "not at host".
    std::string faultOf(const SoakOutcome& outcome) const;
    // Growth of VmRSS after the warm-up (the first fifth of the samples):
    // the slope of a least-squares line through the later samples, times
    // their span, in kB; and the bound it must stay under.
    long rssTrendKb() const;
    long rssBoundKb() const;
    // What went wrong; empty when the soak passed.
    std::vector<std::string> problems() const;
    // The figures: requests per second, outcomes per result and per fault,
    // the samples in `rows` rows, the verdict.
    void print(std::FILE* out, int rows = 10) const;
};

// The faults of a host log (vtx-hostsim's), by the token in the 011-000 of
// each request: "none" for a request logged without a fault line, "long
// delay" for a delay of at least `timeoutMs` (LinkAgent's wait for the
// host). Reads the file line by line.
std::map<std::string, std::string> faultsFromHostLog(const std::string& path, int timeoutMs);

}  // namespace bench

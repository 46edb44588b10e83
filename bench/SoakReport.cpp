#include "SoakReport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "vx32_cli.h"

namespace bench {
namespace {

constexpr std::string_view kTokenField = "011-000=";
constexpr int kShortReply = 4;  // a reply the host cut short
constexpr int kDelayMarginMs = 100;
// A sanitized LinkAgent's memory is the sanitizer's (freed blocks held in
// quarantine, shadow memory, histories): its trend says nothing of leaks,
// which the sanitizer reports itself (and LinkAgent's exit status shows).
// GCC says so with its macros, clang with __has_feature.
#if !defined(__has_feature)
#define VTX_HAS_FEATURE(x) 0
#else
#define VTX_HAS_FEATURE(x) __has_feature(x)
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || \
    VTX_HAS_FEATURE(address_sanitizer) || VTX_HAS_FEATURE(thread_sanitizer)
constexpr bool kMemoryChecked = false;
#else
constexpr bool kMemoryChecked = true;
#endif

// The token in the 011-000 field of `text`, or "".
std::string tokenIn(std::string_view text) {
    const size_t at = text.find(kTokenField);
    if (at == std::string_view::npos) return "";
    const size_t from = at + kTokenField.size();
    const size_t end = text.find(';', from);
    return std::string(text.substr(from, end == std::string_view::npos ? end : end - from));
}

// The outcomes each fault may give a terminal (-163 fits every one: see
// the header).
const std::map<std::string, std::set<std::string>>& expectedOutcomes() {
    static const std::map<std::string, std::set<std::string>> table{
        {"none", {"reply"}},    {"delay", {"reply"}},    {"long delay", {}},
        {"close-before", {}},   {"close-after", {}},     {"close-middle", {"short"}},
        {"oversize", {"-202"}}, {"minus163", {"-202"}},  {"garbage", {"garbage"}},
        {"refused", {"-164"}},  {"not at host", {"-1"}},
    };
    return table;
}

}  // namespace

SoakOutcome SoakReport::classify(const std::string& token, bool refusedRoute, int result,
                                 const std::string& reply, size_t garbageLength, bool zeroed) {
    SoakOutcome o{token, refusedRoute, result, ""};
    if (result <= kShortReply && !zeroed) {
        o.kind = "buffer kept";
    } else if (result == VX_NO_SOCKET || result == VX_NO_SERVER || result == VX_SERVER_REFUSING ||
               result == VX_BAD_LENGTH) {
        o.kind = std::to_string(result);
    } else if (result == kShortReply) {
        o.kind = "short";
    } else if (result > kShortReply && static_cast<size_t>(result) == reply.size()) {
        // A reply: four digits of its length, then the host's answer with
        // this request's token; or the host's garbage, as long as an answer.
        const std::string theirs = tokenIn(reply);
        const std::string own = "000-000=0200;011-000=" + token + ";009-000=00;012-000=";
        const bool framed = reply.substr(0, 4) == std::to_string(10000 + result - 4).substr(1);
        if (!theirs.empty() && theirs != token) {
            o.kind = "mismatch";
        } else if (framed && reply.compare(4, own.size(), own) == 0 &&
                   reply.size() == 4 + own.size() + 7 && reply.back() == ';') {
            o.kind = "reply";
        } else if (framed && theirs.empty() && reply.size() == 4 + garbageLength) {
            o.kind = "garbage";
        } else {
            o.kind = "undocumented";
        }
    } else {
        o.kind = "undocumented";
    }
    return o;
}

std::string SoakReport::faultOf(const SoakOutcome& outcome) const {
    if (outcome.refusedRoute) return "refused";
    auto it = hostFaults.find(outcome.token);
    return it == hostFaults.end() ? "not at host" : it->second;
}

long SoakReport::rssTrendKb() const {
    const size_t from = samples.size() / 5;
    if (samples.size() < from + 3) return 0;
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = from; i < samples.size(); ++i) {
        const double x = samples[i].seconds, y = static_cast<double>(samples[i].rssKb);
        n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    const double denominator = n * sxx - sx * sx;
    if (denominator <= 0) return 0;
    const double slope = (n * sxy - sx * sy) / denominator;  // kB per second
    return static_cast<long>(slope * (samples.back().seconds - samples[from].seconds));
}

long SoakReport::rssBoundKb() const {
    // After the warm-up every relay thread's stack and the allocator's
    // per-thread arenas have been used at their peak; what moves later is
    // the allocator giving pages back and taking them again, a few
    // megabytes at most. 4 MiB, or a tenth of the warm size when larger:
    // a leak of 16 bytes per request over ten minutes of this load exceeds it.
    const size_t from = samples.size() / 5;
    const long warm = samples.empty() ? 0 : samples[std::min(from, samples.size() - 1)].rssKb;
    return std::max(4096L, warm / 10);
}

std::vector<std::string> SoakReport::problems() const {
    std::vector<std::string> found = errors;
    if (outcomes.empty())
        return found.empty() ? std::vector<std::string>{"no request sent"} : found;
    std::map<std::string, long> bad;
    long replies = 0;
    for (const SoakOutcome& o : outcomes) {
        if (o.kind == "reply") ++replies;
        if (o.kind == "left") continue;  // the terminal hung up: any fault fits
        if (o.kind == "mismatch" || o.kind == "undocumented" || o.kind == "buffer kept") {
            ++bad[o.kind + " (result " + std::to_string(o.result) + ")"];
            continue;
        }
        const std::string fault = faultOf(o);
        auto expected = expectedOutcomes().find(fault);
        if (o.kind != "-163" &&
            (expected == expectedOutcomes().end() || !expected->second.count(o.kind)))
            ++bad["outcome " + o.kind + " for fault " + fault];
    }
    for (const auto& [what, count] : bad) found.push_back(std::to_string(count) + " x " + what);
    if (replies == 0) found.push_back("no request was answered");
    if (!agentRanThrough) found.push_back("LinkAgent ended during the soak");
    if (settledDescriptors > idleDescriptors)
        found.push_back("LinkAgent holds " + std::to_string(settledDescriptors) +
                        " descriptors after the load, " + std::to_string(idleDescriptors) +
                        " when idle");
    if (settledThreads > idleThreads)
        found.push_back("LinkAgent runs " + std::to_string(settledThreads) +
                        " threads after the load, " + std::to_string(idleThreads) + " when idle");
    if (kMemoryChecked && rssTrendKb() > rssBoundKb())
        found.push_back("LinkAgent's VmRSS grows by " + std::to_string(rssTrendKb()) +
                        " kB after the warm-up (bound " + std::to_string(rssBoundKb()) + " kB)");
    if (agentExit != 0)
        found.push_back("LinkAgent's exit status on SIGTERM: " + std::to_string(agentExit));
    return found;
}

void SoakReport::print(std::FILE* out, int rows) const {
    std::map<std::string, long> byKind;
    std::map<std::string, std::map<std::string, long>> byFault;
    for (const SoakOutcome& o : outcomes) {
        ++byKind[o.kind];
        ++byFault[faultOf(o)][o.kind];
    }
    std::fprintf(out, "seed %llu, %d terminals, %.0f s of load: %zu requests, %.1f requests/s\n",
                 static_cast<unsigned long long>(seed), terminals, loadSeconds, outcomes.size(),
                 loadSeconds > 0 ? static_cast<double>(outcomes.size()) / loadSeconds : 0.0);
    std::fprintf(out, "\noutcomes by result (reply: result > 4 with the own token; short: 4)\n");
    for (const auto& [kind, count] : byKind)
        std::fprintf(out, "  %-14s %9ld\n", kind.c_str(), count);
    std::fprintf(out, "\noutcomes by the host's fault\n");
    for (const auto& [fault, kinds] : byFault) {
        std::string line;
        long total = 0;
        for (const auto& [kind, count] : kinds) {
            line += "  " + kind + " " + std::to_string(count);
            total += count;
        }
        std::fprintf(out, "  %-14s %9ld:%s\n", fault.c_str(), total, line.c_str());
    }
    std::fprintf(out, "mismatched replies: %ld\n",
                 byKind.count("mismatch") ? byKind.at("mismatch") : 0L);

    std::fprintf(out, "\n%8s %10s %10s %12s %8s\n", "seconds", "requests", "VmRSS kB",
                 "descriptors", "threads");
    const size_t step =
        std::max<size_t>(1, samples.size() / static_cast<size_t>(std::max(rows, 1)));
    for (size_t i = 0; i < samples.size(); i += step) {
        const SoakSample& s = samples[i];
        std::fprintf(out, "%8.0f %10ld %10ld %12ld %8ld\n", s.seconds, s.requests, s.rssKb,
                     s.descriptors, s.threads);
    }
    if (!samples.empty() && (samples.size() - 1) % step != 0) {
        const SoakSample& s = samples.back();
        std::fprintf(out, "%8.0f %10ld %10ld %12ld %8ld\n", s.seconds, s.requests, s.rssKb,
                     s.descriptors, s.threads);
    }
    std::fprintf(out,
                 "idle: %ld descriptors, %ld threads; after the load: %ld, %ld, VmRSS %ld kB\n",
                 idleDescriptors, idleThreads, settledDescriptors, settledThreads, settledRssKb);
    std::fprintf(out, "VmRSS trend after the warm-up: %+ld kB (bound %ld kB%s)\n", rssTrendKb(),
                 rssBoundKb(), kMemoryChecked ? "" : ", not checked in a sanitizer's build");
    const std::vector<std::string> wrong = problems();
    std::fprintf(out, "\n%s\n", wrong.empty() ? "PASSED" : "FAILED:");
    for (const std::string& w : wrong) std::fprintf(out, "  %s\n", w.c_str());
}

std::map<std::string, std::string> faultsFromHostLog(const std::string& path, int timeoutMs) {
    std::map<std::string, std::string> faults;
    std::ifstream in(path, std::ios::binary);
    constexpr std::string_view kFault = " FAULT ", kRequest = "; request ", kMessage = " MSG ";
    for (std::string line; std::getline(in, line);) {
        const size_t fault = line.find(kFault);
        const size_t message = line.find(kMessage);
        if (message != std::string::npos && (fault == std::string::npos || message < fault)) {
            const std::string token = tokenIn(std::string_view(line).substr(message));
            if (!token.empty()) faults.emplace(token, "none");
            continue;
        }
        const size_t request = line.rfind(kRequest);
        if (fault == std::string::npos || request == std::string::npos) continue;
        const size_t slash = line.find('/', request);
        if (slash == std::string::npos) continue;
        const std::string token = line.substr(slash + 1);
        const size_t nameAt = fault + kFault.size();
        std::string name = line.substr(nameAt, line.find(':', nameAt) - nameAt);
        // A delay a little short of the time-out may end either way.
        if (name == "delay" &&
            std::atoi(line.c_str() + line.find(':', nameAt) + 1) >= timeoutMs + kDelayMarginMs)
            name = "long delay";
        faults[token] = name;
    }
    return faults;
}

}  // namespace bench

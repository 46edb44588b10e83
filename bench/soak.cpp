// soak: LinkAgent's relay under a long load from many terminals against a
// host that misbehaves at random (see SoakRun.h for what runs and
// SoakReport.h for what is checked). Prints requests per second, the
// outcomes per result and per fault the host dealt, mismatched replies, a
// table of LinkAgent's resident memory, descriptors and threads over time
// (a row every tenth of the run) and the verdict; the exit status is 0 when
// every check passed, 1 otherwise.
//
// usage: soak [--seconds N] [--terminals T] [--seed S]
//        (defaults 600 s, 64 terminals, a seed from the clock; the seed is
//        printed, and the same seed deals the same faults again)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "SoakRun.h"

int main(int argc, char** argv) {
    bench::SoakOptions options;
    options.seed =
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) %
        1000000000u;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--seconds") {
            options.seconds = std::clamp(std::atoi(value), 1, 86400);
        } else if (key == "--terminals") {
            options.terminals = std::clamp(std::atoi(value), 1, 999);
        } else if (key == "--seed") {
            options.seed = std::strtoull(value, nullptr, 10) % 1000000000u;
        } else {
            std::fprintf(stderr, "usage: soak [--seconds N] [--terminals T] [--seed S]\n");
            return 2;
        }
    }
    if (argc % 2 == 0) {
        std::fprintf(stderr, "usage: soak [--seconds N] [--terminals T] [--seed S]\n");
        return 2;
    }
    std::printf("soak: %d s, %d terminals, seed %llu\n", options.seconds, options.terminals,
                static_cast<unsigned long long>(options.seed));
    std::fflush(stdout);
    options.progress = stdout;
    const bench::SoakReport report = bench::SoakRun(options).run();
    std::printf("\n");
    report.print(stdout);
    return report.problems().empty() ? 0 : 1;
}

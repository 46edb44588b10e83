// crash_writer: the writer the kill test kills. Given a file kind and the
// station root, it writes generations 1, 2, 3, ... of that kind through the
// production code, one after the other, marking each on standard output
// (unbuffered, so every mark made before a SIGKILL reaches the test):
//   ready        the folder is the test's, nothing written yet
//   begin <n>    generation n is being written
//   end <n>      generation n is written
// It stops after --cycles N generations, saying how long they took
// ("took <microseconds>"), or after a bounded time when no test kills it. --reset puts the folder
// in its state before the writes and ends (to look at a kind by hand).
//
//   crash_writer KIND ROOT [--cycles N | --reset]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FileKind.h"
#include "vtx/platform/AtomicFile.h"

namespace {

constexpr auto kLongestRun = std::chrono::seconds(30);

void mark(const std::string& line) {
    vtx::platform::writeAll(STDOUT_FILENO, line + "\n");
}

}  // namespace

int main(int argc, char** argv) {
    const bool reset = argc == 4 && std::strcmp(argv[3], "--reset") == 0;
    if (argc != 3 && !reset && !(argc == 5 && std::strcmp(argv[3], "--cycles") == 0)) {
        std::fprintf(stderr, "usage: crash_writer KIND ROOT [--cycles N | --reset]\n");
        return 2;
    }
    auto kind = vtx::crash::makeKind(argv[1], argv[2]);
    if (!kind) {
        std::fprintf(stderr, "crash_writer: unknown kind %s\n", argv[1]);
        return 2;
    }
    if (reset) {
        kind->reset();
        return 0;
    }
    const long cycles = argc == 5 ? std::atol(argv[4]) : 0;
    const auto started = std::chrono::steady_clock::now();
    mark("ready");
    for (long n = 1; cycles == 0 || n <= cycles; ++n) {
        if (std::chrono::steady_clock::now() - started > kLongestRun) break;
        mark("begin " + std::to_string(n));
        kind->write(n);
        mark("end " + std::to_string(n));
    }
    const auto took = std::chrono::steady_clock::now() - started;
    mark("took " +
         std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
    return 0;
}

// Test helper: runs a command line through /bin/sh, as a support person
// types it, and gives back its exit status and what it printed (standard
// output and standard error together).
//
// Thread-safety: any thread; each call runs its own process.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace vtx::tool::test {

struct Outcome {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
};

inline Outcome runCommand(const std::string& command) {
    Outcome r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return r;
    char chunk[256];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) r.out.append(chunk, n);
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

}  // namespace vtx::tool::test

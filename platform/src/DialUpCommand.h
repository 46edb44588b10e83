// Runs a helper program of the dial-up backend (nmcli) and collects what it
// prints, within a time bound: no shell, the program looked up on PATH, its
// standard input on /dev/null, the C locale so its messages are the English
// ones the backend reads. A program still running at the bound is killed
// with its process group.
//
// Thread-safety: safe from any thread; each call owns its child process.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vtx::platform::detail {

struct CommandResult {
    int startError = 0;     // errno when the program could not be started
    bool timedOut = false;  // killed at the bound
    int exitCode = -1;      // exit status; -1 when killed or unknown
    std::string out;        // standard output (at most kMaxCommandOutput bytes)
    std::string err;        // standard error (same bound)
};

inline constexpr size_t kMaxCommandOutput = size_t{64} * 1024;

// `argv[0]` is the program; it is looked up on PATH when it has no "/".
CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit);

}  // namespace vtx::platform::detail

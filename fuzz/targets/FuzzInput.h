// Shared by the fuzz targets: the input as text, a check that stops the run
// with a message when a property of the parser does not hold (libFuzzer
// keeps the input that did it), and the folder a target writes its files in.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace vtx::fuzz {

inline std::string_view text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// A folder of this process's own, "fuzz-<kind>-<pid>", made on the first
// call and removed at exit (bench/fuzz removes it after a run a signal
// ended). It is in memory where the machine has it: the durable writes of
// the code under test (fsync, rename) would cost more there than the
// parsing does. The name is never destroyed, so the exit handler that
// removes the folder may run after the static destructors.
inline const std::string& scratchFolder(const char* kind) {
    static const std::string* folder = nullptr;
    if (folder == nullptr) {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        folder = new std::string((base / ("fuzz-" + std::string(kind) + "-" + std::to_string(getpid()))).string());
        std::filesystem::create_directories(*folder);
        std::atexit([] { std::filesystem::remove_all(*folder); });
    }
    return *folder;
}

}  // namespace vtx::fuzz

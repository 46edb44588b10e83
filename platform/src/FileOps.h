// Small POSIX file helpers used inside the platform library: whole-file
// reads, directory creation, path splitting and case-insensitive lookup of a
// directory entry.
//
// Thread-safety: all functions may be called from any thread.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vtx::platform::detail {

// Upper bound on directory entries looked at in one scan, so a runaway
// folder cannot stall a caller forever.
inline constexpr size_t kMaxScanEntries = 1'000'000;

// Owns a file descriptor and closes it when it goes, also when an exception
// (std::bad_alloc) passes by.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

// Reads the whole file. Returns nullopt and sets `err` (errno) on failure;
// a missing file gives nullopt with err == ENOENT. When `st` is given it
// receives the fstat() of the file as opened, before reading.
std::optional<std::string> readWholeFile(const std::string& path, int& err,
                                         struct stat* st = nullptr);

// Creates `dir` and its missing parents (mode 0755). True when the directory
// exists afterwards.
bool makeDirectories(const std::string& dir);

// The folder part of a native path ("." when there is none, "/" for a file in
// the root) and the last component.
std::string dirName(std::string_view path);
std::string baseName(std::string_view path);

// The entry of `dir` named `name`: an exact match wins, else the first entry
// that matches without regard to case in byte order of names. Empty when
// nothing matches or the directory cannot be read.
std::string findEntryIgnoreCase(const std::string& dir, std::string_view name);

}  // namespace vtx::platform::detail

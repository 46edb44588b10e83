// Test helper: a private, empty VTX_ROOT for the lifetime of one object.
//
// The constructor creates a fresh folder under $TMPDIR (or /tmp), points
// VTX_ROOT at it and unsets VTX_WINDIR, so "C:\..." paths and named objects
// land inside it; the destructor restores both variables and removes the
// folder with everything in it.
//
// Thread-safety: changes the process environment; create and destroy it
// while no other thread reads the environment (e.g. in SetUp/TearDown).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vtx::test {

class TempRoot {
public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    // The root folder (native, no trailing "/").
    const std::string& path() const { return path_; }

    // path() joined with a relative native path.
    std::string native(std::string_view relative) const;

    // Writes `content` to the file at `relative` below the root, creating the
    // folders on the way. Fails the running test on error.
    void writeFile(std::string_view relative, std::string_view content) const;

    // The content of the file at `relative`, or nullopt when it cannot be read.
    std::optional<std::string> readFile(std::string_view relative) const;

private:
    std::string path_;
    std::optional<std::string> oldRoot_;
    std::optional<std::string> oldWindir_;
};

}  // namespace vtx::test

// Loading a shared library by the Windows name the configuration gives.
//
// "VX32_CLI.dll" has its ".dll" stripped; then lib<NAME>.so and <NAME>.so are
// looked for, without regard to case, in the running program's folder, then
// in the installation directory given by the caller, then through the system
// loader path. A name with a folder is tried as given first (mapped through
// resolve()). Functions are bound by name.
//
// Thread-safety: a SharedLibrary object belongs to one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vtx::platform {

class SharedLibrary {
public:
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // nullptr when not found or not loadable; `error` (optional) says why.
    static std::unique_ptr<SharedLibrary> load(std::string_view windowsName,
                                               std::string_view installDir = {},
                                               std::string* error = nullptr);

    // Address of an exported function, or nullptr.
    void* symbol(const char* name) const;

    // The file that was loaded.
    const std::string& path() const { return path_; }

private:
    SharedLibrary(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    void* handle_;
    std::string path_;
};

// Folder of the running program (from /proc/self/exe).
std::string programDirectory();

}  // namespace vtx::platform

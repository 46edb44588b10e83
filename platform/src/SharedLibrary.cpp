#include "vtx/platform/SharedLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <vector>

#include "FileOps.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

constexpr std::string_view kDllSuffix = ".dll";

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Collects load attempts and keeps the most useful failure text: a file
// that exists but does not load says more than "not found".
class Loader {
public:
    void* tryFile(const std::string& path) {
        if (!isRegularFile(path)) return nullptr;
        return tryOpen(path, true);
    }

    void* tryOpen(const std::string& name, bool fileExists) {
        void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle != nullptr) {
            loaded_ = name;
            return handle;
        }
        const char* text = ::dlerror();  // NOLINT(concurrency-mt-unsafe): glibc keeps it per thread
        if (!haveFileError_) {
            error_ = text != nullptr ? text : name + ": cannot be loaded";
            haveFileError_ = fileExists;
        }
        return nullptr;
    }

    // lib<stem>.so, then <stem>.so, each matched without regard to case.
    void* tryFolder(const std::string& dir, std::string_view stem) {
        for (const std::string& name :
             {"lib" + std::string(stem) + ".so", std::string(stem) + ".so"}) {
            std::string entry = detail::findEntryIgnoreCase(dir, name);
            if (entry.empty()) continue;
            if (void* h = tryFile(joinPath(dir, entry))) return h;
        }
        return nullptr;
    }

    const std::string& loaded() const { return loaded_; }
    const std::string& error() const { return error_; }

private:
    std::string loaded_;
    std::string error_;
    bool haveFileError_ = false;
};

std::string_view stripDll(std::string_view name) {
    if (endsWithIgnoreCase(name, kDllSuffix)) name.remove_suffix(kDllSuffix.size());
    return name;
}

void* loadWithFolder(Loader& loader, std::string_view windowsName) {
    std::string path = resolve(windowsName);
    if (void* h = loader.tryFile(path)) return h;
    if (!endsWithIgnoreCase(path, kDllSuffix)) {
        if (!isRegularFile(path)) loader.tryOpen(path, false);  // records the error text
        return nullptr;
    }
    return loader.tryFolder(detail::dirName(path), stripDll(detail::baseName(path)));
}

void* loadByName(Loader& loader, std::string_view windowsName, std::string_view installDir) {
    std::string_view stem = stripDll(windowsName);
    std::vector<std::string> folders{programDirectory()};
    if (!installDir.empty()) folders.push_back(resolve(installDir));
    for (const std::string& dir : folders) {
        if (dir.empty()) continue;
        if (void* h = loader.tryFolder(dir, stem)) return h;
    }
    if (void* h = loader.tryOpen("lib" + std::string(stem) + ".so", false)) return h;
    return loader.tryOpen(std::string(stem) + ".so", false);
}

}  // namespace

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) ::dlclose(handle_);
}

std::unique_ptr<SharedLibrary> SharedLibrary::load(std::string_view windowsName,
                                                   std::string_view installDir,
                                                   std::string* error) {
    void* handle = nullptr;
    try {
        if (windowsName.empty()) {
            if (error != nullptr) *error = "empty library name";
            return nullptr;
        }
        Loader loader;
        bool hasFolder = windowsName.find_first_of("/\\") != std::string_view::npos;
        handle = hasFolder ? loadWithFolder(loader, windowsName)
                           : loadByName(loader, windowsName, installDir);
        if (handle == nullptr) {
            if (error != nullptr) *error = loader.error();
            return nullptr;
        }
        std::unique_ptr<SharedLibrary> lib(new SharedLibrary(handle, loader.loaded()));
        if (error != nullptr) error->clear();
        return lib;
    } catch (const std::bad_alloc&) {
        if (handle != nullptr) ::dlclose(handle);
        return nullptr;
    }
}

void* SharedLibrary::symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) return nullptr;
    return ::dlsym(handle_, name);
}

std::string programDirectory() {
    std::string buf(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return {};
    buf.resize(static_cast<size_t>(n));
    return detail::dirName(buf);
}

}  // namespace vtx::platform

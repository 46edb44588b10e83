#include "vtx/platform/FileSnapshot.h"

#include <sys/stat.h>

#include <new>

#include "StampedCache.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {
namespace {

std::shared_ptr<const std::string> keepContent(std::string&& content) {
    return std::make_shared<const std::string>(std::move(content));
}

detail::StampedCache<std::string>& snapshotCache() {
    static detail::ProcessCache<std::string> instance(&keepContent);
    return *instance;
}

}  // namespace

std::shared_ptr<const std::string> loadFileSnapshot(std::string_view path) {
    try {
        // One stat() when the name is spelled as on disk.
        std::string native = toNative(path);
        struct stat st {};
        if (::stat(native.c_str(), &st) != 0) {
            native = resolve(native);
            if (::stat(native.c_str(), &st) != 0) return nullptr;
        }
        if (!S_ISREG(st.st_mode)) return nullptr;
        return snapshotCache().get(native, st);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace vtx::platform

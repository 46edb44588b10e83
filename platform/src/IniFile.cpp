#include "vtx/platform/IniFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <functional>
#include <mutex>
#include <new>
#include <unordered_map>

#include "FileOps.h"
#include "IniEdit.h"
#include "IniSyntax.h"
#include "PathsDetail.h"
#include "StampedCache.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

std::shared_ptr<const IniDocument> parseDocument(std::string&& content) {
    return std::make_shared<const IniDocument>(IniDocument::parse(content));
}

detail::StampedCache<IniDocument>& cache() {
    static detail::ProcessCache<IniDocument> instance(&parseDocument);
    return *instance;
}

// The document of a file that is missing or cannot be read: in static
// storage, never destroyed and owned by nobody, so it costs no allocation
// (a reader out of memory still gets it) and is usable at exit.
std::shared_ptr<const IniDocument> emptyDocument() {
    static const detail::NoDestructor<IniDocument> empty;
    return std::shared_ptr<const IniDocument>(std::shared_ptr<const IniDocument>(), &*empty);
}

// True when every write already holds in the file as it is now, so the
// update would leave it unchanged and the lock can be skipped.
bool alreadyWritten(std::string_view fileName, const std::vector<IniWrite>& writes) {
    auto doc = loadIni(fileName);
    for (const IniWrite& w : writes) {
        auto current = doc->find(w.section, w.key);
        if (current.has_value() != w.value.has_value()) return false;
        // Compared as a reader would see the written value.
        if (current && *current != detail::unquoteIniValue(*w.value)) return false;
    }
    return true;
}

// Runs `edit` on the current content of the file under the folder lock and
// writes the result when it differs.
bool updateIni(std::string_view fileName, mode_t mode,
               const std::function<std::string(std::string_view)>& edit) {
    try {
        std::string path = profilePath(fileName);
        std::string dir = detail::dirName(path);
        if (!detail::makeDirectories(dir)) return false;
        // The lock is on the folder, not the file: the file itself is
        // replaced by rename() and a lock on it would go with the old inode.
        detail::UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dirFd.get() < 0) return false;
        int rc;
        do {
            rc = ::flock(dirFd.get(), LOCK_EX);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) return false;

        int err = 0;
        std::optional<std::string> old = detail::readWholeFile(path, err);
        if (!old && err != ENOENT) return false;
        std::string current = old ? std::move(*old) : std::string();
        std::string updated = edit(current);
        bool ok = updated == current || replaceFileAtomically(path, updated, {.mode = mode});
        cache().erase(path);
        return ok;  // closing dirFd releases the lock
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

std::shared_ptr<const IniDocument> loadIni(std::string_view fileName) {
    try {
        // One stat() when the name is spelled as on disk; the directory scan
        // of resolve() only when it is not.
        std::string path = detail::profileNativePath(fileName);
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) {
            path = resolve(path);
            if (::stat(path.c_str(), &st) != 0) return emptyDocument();
        }
        if (!S_ISREG(st.st_mode)) return emptyDocument();
        if (auto doc = cache().get(path, st)) return doc;
        return emptyDocument();
    } catch (const std::bad_alloc&) {
        return emptyDocument();
    }
}

std::string iniGetString(std::string_view fileName, std::string_view section, std::string_view key,
                         std::string_view def, size_t maxLen) {
    return loadIni(fileName)->getString(section, key, def, maxLen);
}

long iniGetInt(std::string_view fileName, std::string_view section, std::string_view key,
               long def) {
    return loadIni(fileName)->getInt(section, key, def);
}

std::vector<std::string> iniSectionNames(std::string_view fileName) {
    return loadIni(fileName)->sectionNames();
}

bool iniWrite(std::string_view fileName, const std::vector<IniWrite>& writes, mode_t mode) {
    try {
        if (alreadyWritten(fileName, writes)) return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return updateIni(fileName, mode, [&writes](std::string_view content) {
        return detail::applyIniWrites(content, writes);
    });
}

std::string iniApplyWrites(std::string_view content, const std::vector<IniWrite>& writes) {
    return detail::applyIniWrites(content, writes);
}

bool iniWriteString(std::string_view fileName, std::string_view section, std::string_view key,
                    std::string_view value) {
    try {
        return iniWrite(fileName,
                        {IniWrite{std::string(section), std::string(key), std::string(value)}});
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool iniDeleteSection(std::string_view fileName, std::string_view section) {
    return updateIni(fileName, kSharedFileMode, [section](std::string_view content) {
        return detail::deleteIniSection(content, section);
    });
}

}  // namespace vtx::platform

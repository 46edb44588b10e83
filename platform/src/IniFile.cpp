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
#include "PathsDetail.h"
#include "vtx/platform/Paths.h"

namespace vtx::platform {

namespace {

// A file whose modification time is at least this much older than the clock
// at the moment it was read cannot change again without its time stamp
// changing too; younger files are read again on every access, because a
// rewrite within the same clock tick keeps size and time stamp.
constexpr int64_t kSettleNs = 100'000'000;

struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;
};

struct CacheEntry {
    FileStamp stamp;
    bool settled = false;
    std::shared_ptr<const IniDocument> doc;
};

int64_t toNs(const timespec& ts) {
    return int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

FileStamp stampOf(const struct stat& st) {
    return FileStamp{st.st_dev, st.st_ino, st.st_size, toNs(st.st_mtim), toNs(st.st_ctim)};
}

int64_t wallClockNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return toNs(ts);
}

class IniCache {
  public:
    std::shared_ptr<const IniDocument> find(const std::string& path, const FileStamp& stamp) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = entries_.find(path);
        if (it == entries_.end() || !it->second.settled || !(it->second.stamp == stamp)) {
            return nullptr;
        }
        return it->second.doc;
    }

    void store(const std::string& path, CacheEntry entry) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_[path] = std::move(entry);
    }

    void erase(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.erase(path);
    }

  private:
    std::mutex mutex_;
    std::unordered_map<std::string, CacheEntry> entries_;
};

IniCache& cache() {
    static IniCache* instance = new IniCache();  // never destroyed: usable at exit
    return *instance;
}

const std::shared_ptr<const IniDocument>& emptyDocument() {
    static const auto* empty =
        new std::shared_ptr<const IniDocument>(std::make_shared<const IniDocument>());
    return *empty;
}

// Reads and parses `path`; nullptr when it cannot be read.
std::shared_ptr<const IniDocument> readAndCache(const std::string& path) {
    int64_t before = wallClockNs();
    int err = 0;
    struct stat st {};
    std::optional<std::string> content = detail::readWholeFile(path, err, &st);
    if (!content) return nullptr;
    // The stamp is the one seen before reading: if the file changed while it
    // was read, the next access sees a different stamp and reads again.
    CacheEntry entry;
    entry.stamp = stampOf(st);
    entry.settled = entry.stamp.mtimeNs + kSettleNs < before;
    entry.doc = std::make_shared<const IniDocument>(IniDocument::parse(*content));
    cache().store(path, entry);
    return entry.doc;
}

// Runs `edit` on the current content of the file under the folder lock and
// writes the result when it differs.
bool updateIni(std::string_view fileName,
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
        bool ok = updated == current || replaceFileAtomically(path, updated);
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
        if (auto doc = cache().find(path, stampOf(st))) return doc;
        if (auto doc = readAndCache(path)) return doc;
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

bool iniWrite(std::string_view fileName, const std::vector<IniWrite>& writes) {
    return updateIni(fileName, [&writes](std::string_view content) {
        return detail::applyIniWrites(content, writes);
    });
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
    return updateIni(fileName, [section](std::string_view content) {
        return detail::deleteIniSection(content, section);
    });
}

}  // namespace vtx::platform

// A process-wide cache of values derived from files, keyed on the native path
// and valid while the file keeps its identity, size and time stamps. A file
// whose modification time was within kSettleNs of the clock when it was read
// is never served from the cache, because a rewrite within the same clock tick
// may keep size and time stamp.
//
// Thread-safety: all members may be called from any thread.
#pragma once

#include <sys/stat.h>

#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "FileOps.h"
#include "NoDestructor.h"

namespace vtx::platform::detail {

inline constexpr int64_t kSettleNs = 100'000'000;

struct FileStamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;

    bool operator==(const FileStamp&) const = default;
};

inline int64_t toNs(const timespec& ts) {
    return int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

inline FileStamp stampOf(const struct stat& st) {
    return FileStamp{st.st_dev, st.st_ino, st.st_size, toNs(st.st_mtim), toNs(st.st_ctim)};
}

inline int64_t wallClockNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    return toNs(ts);
}

template <typename T>
class StampedCache {
public:
    using Make = std::shared_ptr<const T> (*)(std::string&& content);

    explicit StampedCache(Make make) : make_(make) {}

    // The value for the regular file `path` whose stat() is `st`: cached, or
    // read, derived and cached. nullptr when the file cannot be read.
    std::shared_ptr<const T> get(const std::string& path, const struct stat& st) {
        FileStamp stamp = stampOf(st);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            auto it = entries_.find(path);
            if (it != entries_.end() && it->second.settled && it->second.stamp == stamp)
                return it->second.value;
        }
        int64_t before = wallClockNs();
        int err = 0;
        struct stat opened {};
        std::optional<std::string> content = readWholeFile(path, err, &opened);
        if (!content) return nullptr;
        // The stamp is the one seen before reading: a change while reading
        // shows as a different stamp next time.
        Entry entry{stampOf(opened), false, make_(std::move(*content))};
        entry.settled = entry.stamp.mtimeNs + kSettleNs < before;
        std::lock_guard<std::mutex> lock(mutex_);
        entries_[path] = entry;
        return entry.value;
    }

    void erase(const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.erase(path);
    }

    // Lets every entry go, and the table's own memory with them.
    void clear() {
        std::unordered_map<std::string, Entry> gone;
        std::lock_guard<std::mutex> lock(mutex_);
        entries_.swap(gone);
    }

private:
    struct Entry {
        FileStamp stamp;
        bool settled;
        std::shared_ptr<const T> value;
    };
    Make make_;
    std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
};

// The process's cache of one kind: never destroyed, so usable at exit and
// from other statics' destructors, while its entries are let go when the
// program ends or the library that holds it is unloaded (a program that
// loads and unloads a library all day loses nothing to it).
template <typename T>
class ProcessCache {
public:
    explicit ProcessCache(typename StampedCache<T>::Make make) : cache_(make) {}
    ~ProcessCache() { cache_->clear(); }
    ProcessCache(const ProcessCache&) = delete;
    ProcessCache& operator=(const ProcessCache&) = delete;

    StampedCache<T>& operator*() { return *cache_; }

private:
    NoDestructor<StampedCache<T>> cache_;
};

}  // namespace vtx::platform::detail

#include "FolderWatch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "vtx/platform/Paths.h"

namespace vtx::linkagent {

FolderWatch::FolderWatch(std::string folder, std::string pattern)
    : folder_(std::move(folder)), pattern_(std::move(pattern)) {
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

FolderWatch::~FolderWatch() {
    if (inotify_ >= 0) ::close(inotify_);
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

bool FolderWatch::open() {
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0) return false;
    const uint32_t mask = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_MODIFY | IN_DELETE |
                          IN_MOVED_FROM | IN_ONLYDIR;
    if (::inotify_add_watch(inotify_, folder_.c_str(), mask) < 0) {
        ::close(inotify_);
        inotify_ = -1;
        return false;
    }
    return true;
}

void FolderWatch::wake() {
    if (wakeFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void FolderWatch::waitForEvent(std::chrono::milliseconds bound) {
    pollfd fds[2] = {{inotify_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    // A negative descriptor is left out by poll(): without inotify this is
    // a plain bounded pause that wake() still cuts short.
    ::poll(fds, 2, static_cast<int>(std::max<long long>(0, bound.count())));
    if (fds[1].revents & POLLIN) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
    }
    // Read what came, so a pending event does not end the next wait at once.
    drainEvents();
}

void FolderWatch::drainEvents() {
    if (inotify_ < 0) return;
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
        if (got <= 0) return;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                // Events were lost: what is known of each file may be stale.
                for (auto& [name, state] : files_) state.seen = Seen::Nothing;
                continue;
            }
            if (event->len == 0) continue;
            const std::string name(event->name);
            if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                files_.erase(name);
            } else if (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) {
                files_[name].seen = Seen::Whole;
            } else if (event->mask & (IN_CREATE | IN_MODIFY)) {
                files_[name].seen = Seen::Writing;
            }
        }
    }
}

std::optional<std::string> FolderWatch::firstReady(bool& waiting) {
    drainEvents();
    waiting = false;
    const Clock::time_point now = Clock::now();
    const std::vector<std::string> names = vtx::platform::findFiles(folder_, pattern_);
    // Forget files that are gone (and events of files that are no requests).
    for (auto it = files_.begin(); it != files_.end();) {
        const bool present = std::binary_search(names.begin(), names.end(), it->first);
        it = present ? std::next(it) : files_.erase(it);
    }
    std::optional<std::string> ready;
    for (const std::string& name : names) {
        FileState& state = files_[name];
        struct stat st {};
        if (::stat(vtx::platform::joinPath(folder_, name).c_str(), &st) != 0) continue;
        const long long mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL +
                                st.st_mtim.tv_nsec;
        const long long size = static_cast<long long>(st.st_size);
        if (size != state.size || mtime != state.mtimeNs) {
            state.size = size;
            state.mtimeNs = mtime;
            state.unchangedSince = now;
        }
        const auto quiet = now - state.unchangedSince;
        const bool whole = state.seen == Seen::Whole ||
                           (state.seen == Seen::Nothing && quiet >= kQuietUnseen) ||
                           (state.seen == Seen::Writing && quiet >= kQuietWriting);
        if (whole && !ready) ready = name;
        if (!whole) waiting = true;
    }
    return ready;
}

void FolderWatch::taken(const std::string& name) { files_.erase(name); }

}  // namespace vtx::linkagent

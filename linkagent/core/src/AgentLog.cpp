#include "vtx/linkagent/AgentLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "CardMask.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"
#include "vtx/platform/TickCount.h"

namespace vtx::linkagent {

namespace {

constexpr const char* kSection = "[CLIENTPROCEDURE]\r\n";
// The code field of every entry.
constexpr const char* kCode = "000";

struct LocalTime {
    int day, month, year, hour, minute, second, milli;
};

LocalTime localNow() {
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    tm t{};
    ::localtime_r(&ts.tv_sec, &t);
    return {t.tm_mday,
            t.tm_mon + 1,
            t.tm_year + 1900,
            t.tm_hour,
            t.tm_min,
            t.tm_sec,
            static_cast<int>(ts.tv_nsec / 1000000)};
}

bool isEnabledValue(std::string value) {
    for (char& c : value) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return value == "true" || value == "1" || value == "y";
}

// A message is one entry: a line break would end it and could make the rest
// look like another entry or a section.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    }
    return text;
}

}  // namespace

AgentLog::AgentLog(std::string installDir, TickSource tick)
    : installDir_(std::move(installDir)), tick_(tick ? std::move(tick) : &platform::tickCount) {
    startNewFile();
}

void AgentLog::startNewFile() {
    try {
        LocalTime t = localNow();
        char name[64];  // 30 characters
        (void)std::snprintf(name, sizeof name, "SHELLFILE%02d%02d%04d%02d%02d%02d%03d.LOG", t.day,
                            t.month, t.year, t.hour, t.minute, t.second, t.milli);
        bool enabled = isEnabledValue(
            platform::iniGetString(installDir_ + "\\CORE.INI", "ShellFile", "LOGENABLE", "N"));
        std::lock_guard lock(mutex_);
        fileName_ = name;
        enabled_ = enabled;
    } catch (...) {
        // Out of memory: the previous file and setting stay.
    }
}

bool AgentLog::enabled() const {
    std::lock_guard lock(mutex_);
    return enabled_;
}

std::string AgentLog::fileName() const {
    std::string dir = platform::resolve(installDir_ + "\\LOG");
    std::lock_guard lock(mutex_);
    return platform::joinPath(dir, fileName_);
}

void AgentLog::log(const std::string& text) {
    try {
        // Most stations log nothing: no masking or formatting for them.
        {
            std::lock_guard lock(mutex_);
            if (!enabled_) return;
        }
        std::string message = oneLine(vtx::wire::maskCardData(text));
        LocalTime t = localNow();
        char stamp[64];  // 23 characters
        (void)std::snprintf(stamp, sizeof stamp, "%02d%02d%04d|%02d%02d%02d%03d|%s|", t.day,
                            t.month, t.year, t.hour, t.minute, t.second, t.milli, kCode);

        std::lock_guard lock(mutex_);
        if (!enabled_) return;
        std::string dir = platform::resolve(installDir_ + "\\LOG");
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
        std::string path = platform::joinPath(dir, fileName_);
        // The key is taken under the same lock as the append, so the file
        // holds its entries in key order.
        std::string line = nextKey() + "=" + stamp + message + "\r\n";
        // Messages tell of operators and requests: the installation's user only.
        int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                        platform::kPrivateFileMode);
        if (fd < 0) return;
        struct stat fst {};
        if (::fstat(fd, &fst) == 0 && fst.st_size == 0) line.insert(0, kSection);
        platform::writeAll(fd, line);
        ::close(fd);
    } catch (...) {
        // Logging never fails its caller.
    }
}

std::string AgentLog::nextKey() {
    uint32_t now = tick_();
    // Wrap-safe "not later than the previous key".
    uint32_t key = haveKey_ && static_cast<int32_t>(now - lastKey_) <= 0 ? lastKey_ + 1 : now;
    lastKey_ = key;
    haveKey_ = true;
    char text[24];  // twelve digits
    (void)std::snprintf(text, sizeof text, "%012lu", static_cast<unsigned long>(key));
    return text;
}

}  // namespace vtx::linkagent

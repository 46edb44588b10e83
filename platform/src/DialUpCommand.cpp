#include "DialUpCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

extern char** environ;

namespace vtx::platform::detail {

namespace {

using Clock = std::chrono::steady_clock;

// After the program ended, output still pending in the pipes (or held open by
// a program it left behind) is waited for this long at most.
constexpr std::chrono::milliseconds kDrainGrace{200};
constexpr std::chrono::milliseconds kPollSlice{100};

// A pipe whose ends sit above the standard descriptors, so the child's
// dup2() onto 0-2 never overwrites one of them.
bool makePipe(int fds[2]) {
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    for (int i = 0; i < 2; ++i) {
        if (fds[i] > 2) continue;
        int moved = ::fcntl(fds[i], F_DUPFD_CLOEXEC, 3);
        ::close(fds[i]);
        fds[i] = moved;
    }
    if (fds[0] >= 0 && fds[1] >= 0) return true;
    if (fds[0] >= 0) ::close(fds[0]);
    if (fds[1] >= 0) ::close(fds[1]);
    return false;
}

// The caller's environment with the C locale forced.
std::vector<std::string> childEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        std::string_view v(*e);
        if (v.starts_with("LC_ALL=") || v.starts_with("LANGUAGE=")) continue;
        env.emplace_back(v);
    }
    env.emplace_back("LC_ALL=C");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    out.reserve(strings.size() + 1);
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// Appends what is readable on `fd`; closes it (sets -1) at end of file.
void readSome(int& fd, std::string& sink) {
    char buffer[4096];
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (n <= 0) {
        ::close(fd);
        fd = -1;
        return;
    }
    size_t room = kMaxCommandOutput - std::min(sink.size(), kMaxCommandOutput);
    sink.append(buffer, std::min(static_cast<size_t>(n), room));
}

int spawn(const std::vector<std::string>& argv, int outFd, int errFd, pid_t& pid) {
    std::vector<std::string> args(argv);
    std::vector<std::string> env = childEnvironment();
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    if (int rc = ::posix_spawn_file_actions_init(&actions); rc != 0) return rc;
    if (int rc = ::posix_spawnattr_init(&attr); rc != 0) {
        ::posix_spawn_file_actions_destroy(&actions);
        return rc;
    }
    ::posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    ::posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    // Its own process group, so a time-out stops whatever it started too;
    // default signal handling whatever this process ignores or blocks.
    sigset_t none;
    sigset_t all;
    ::sigemptyset(&none);
    ::sigfillset(&all);
    ::sigdelset(&all, SIGKILL);
    ::sigdelset(&all, SIGSTOP);
    ::posix_spawnattr_setflags(
        &attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    ::posix_spawnattr_setpgroup(&attr, 0);
    ::posix_spawnattr_setsigmask(&attr, &none);
    ::posix_spawnattr_setsigdefault(&attr, &all);

    int rc = ::posix_spawnp(&pid, argp[0], &actions, &attr, argp.data(), envp.data());
    ::posix_spawnattr_destroy(&attr);
    ::posix_spawn_file_actions_destroy(&actions);
    return rc;
}

void recordExit(CommandResult& r, int status) {
    if (WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
    CommandResult r;
    if (argv.empty() || argv[0].empty()) {
        r.startError = ENOENT;
        return r;
    }
    int out[2];
    int err[2];
    if (!makePipe(out)) {
        r.startError = errno != 0 ? errno : EMFILE;
        return r;
    }
    if (!makePipe(err)) {
        r.startError = errno != 0 ? errno : EMFILE;
        ::close(out[0]);
        ::close(out[1]);
        return r;
    }
    pid_t pid = -1;
    int rc;
    try {
        rc = spawn(argv, out[1], err[1], pid);
    } catch (const std::bad_alloc&) {
        rc = ENOMEM;
    }
    ::close(out[1]);
    ::close(err[1]);
    if (rc != 0) {
        ::close(out[0]);
        ::close(err[0]);
        r.startError = rc;
        return r;
    }

    const auto deadline = Clock::now() + limit;
    auto drainUntil = Clock::time_point::max();
    int fds[2] = {out[0], err[0]};
    std::string* sinks[2] = {&r.out, &r.err};
    bool reaped = false;
    while (true) {
        auto now = Clock::now();
        if (!reaped && now >= deadline) {
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            r.timedOut = true;
            break;
        }
        if (!reaped) {
            int status = 0;
            pid_t w = ::waitpid(pid, &status, WNOHANG);
            if (w == pid) {
                recordExit(r, status);
                reaped = true;
                drainUntil = now + kDrainGrace;
            } else if (w < 0 && errno == ECHILD) {
                reaped = true;  // reaped elsewhere: the exit status is unknown
                drainUntil = now + kDrainGrace;
            }
        }
        if (fds[0] < 0 && fds[1] < 0 && reaped) break;
        if (reaped && now >= drainUntil) {
            // Something it started still holds the output open: stop it too.
            // The group id stays taken while a member lives, so no other
            // process can be hit.
            ::kill(-pid, SIGKILL);
            break;
        }

        pollfd pfds[2];
        nfds_t n = 0;
        int which[2];
        for (int i = 0; i < 2; ++i) {
            if (fds[i] < 0) continue;
            pfds[n] = pollfd{fds[i], POLLIN, 0};
            which[n++] = i;
        }
        auto wait = std::min<Clock::duration>(kPollSlice, (reaped ? drainUntil : deadline) - now);
        int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
        if (n == 0) {
            ::usleep(static_cast<useconds_t>(std::min(ms, 10)) * 1000);
            continue;
        }
        int ready = ::poll(pfds, n, std::max(ms, 0));
        if (ready < 0 && errno != EINTR) {
            // The pipes are unusable: stop reading, still wait for the end.
            for (int& fd : fds) {
                if (fd >= 0) ::close(fd);
                fd = -1;
            }
            continue;
        }
        for (nfds_t i = 0; ready > 0 && i < n; ++i) {
            if (pfds[i].revents != 0) readSome(fds[which[i]], *sinks[which[i]]);
        }
    }
    for (int fd : fds) {
        if (fd >= 0) ::close(fd);
    }
    if (!reaped) {
        int status = 0;
        pid_t w;
        do {
            w = ::waitpid(pid, &status, 0);
        } while (w < 0 && errno == EINTR);
        if (w == pid && !r.timedOut) recordExit(r, status);
    }
    return r;
}

}  // namespace vtx::platform::detail

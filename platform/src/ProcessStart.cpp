#include "vtx/platform/ProcessStart.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <string>
#include <vector>

#include "FileOps.h"
#include "vtx/platform/Paths.h"

extern char** environ;

namespace vtx::platform {

namespace {

constexpr const char* kShell = "/bin/sh";
// Descriptor the grandchild reports a failed exec on; closed by the exec.
constexpr int kReportFd = 3;
// Upper bound for the close() loop when close_range() is unavailable.
constexpr long kMaxCloseFd = 65536;

// Runs in the grandchild after fork(): async-signal-safe calls only.
[[noreturn]] void execDetached(const char* program, char* const argv[], int reportFd, long maxFd) {
    ::setsid();
    if (reportFd != kReportFd) {
        if (::dup3(reportFd, kReportFd, O_CLOEXEC) < 0) ::_exit(127);
        reportFd = kReportFd;
    }
    int nullFd = ::open("/dev/null", O_RDWR);
    if (nullFd >= 0) {
        for (int fd = 0; fd <= 2; ++fd) {
            if (nullFd != fd) ::dup2(nullFd, fd);
        }
    }
    if (::close_range(kReportFd + 1, ~0U, 0) != 0) {
        for (long fd = kReportFd + 1; fd < maxFd; ++fd) ::close(static_cast<int>(fd));
    }
    // The shell starts with default signal handling, whatever this process
    // ignores or blocks.
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        if (sig != SIGKILL && sig != SIGSTOP) ::sigaction(sig, &dfl, nullptr);
    }
    sigset_t none;
    ::sigemptyset(&none);
    ::pthread_sigmask(SIG_SETMASK, &none, nullptr);

    ::execve(program, argv, environ);
    int err = errno;
    ssize_t ignored = ::write(reportFd, &err, sizeof err);
    (void)ignored;
    ::_exit(127);
}

long closeBound() {
    rlimit rl{};
    if (::getrlimit(RLIMIT_NOFILE, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY ||
        rl.rlim_cur > static_cast<rlim_t>(kMaxCloseFd)) {
        return kMaxCloseFd;
    }
    return static_cast<long>(rl.rlim_cur);
}

int checkFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return kStartOk;
    struct stat dirSt {};
    std::string dir = detail::dirName(path);
    if (::stat(dir.c_str(), &dirSt) != 0 || !S_ISDIR(dirSt.st_mode)) return kStartPathNotFound;
    return kStartFileNotFound;
}

// Starts `program` with `argv` detached: an intermediate child forks the
// program's process and exits at once, so the program is adopted by init and
// never becomes our zombie. kStartOk, or why the program could not start.
int startDetached(const std::string& program, char* const argv[]) {
    long maxFd = closeBound();
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return kStartOutOfResources;

    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return kStartOutOfResources;
    }
    if (child == 0) {
        ::close(report[0]);
        pid_t grandchild = ::fork();
        if (grandchild < 0) ::_exit(1);
        if (grandchild == 0) execDetached(program.c_str(), argv, report[1], maxFd);
        ::_exit(0);
    }
    ::close(report[1]);
    int childStatus = 0;
    pid_t waited;
    do {
        waited = ::waitpid(child, &childStatus, 0);
    } while (waited < 0 && errno == EINTR);
    bool forked = waited < 0 ? errno == ECHILD  // SIGCHLD ignored: status unknown
                             : WIFEXITED(childStatus) && WEXITSTATUS(childStatus) == 0;

    // The pipe closes without data when the exec succeeded.
    int execErr = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &execErr, sizeof execErr);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (!forked) return kStartOutOfResources;
    if (n == static_cast<ssize_t>(sizeof execErr)) {
        return execErr == ENOENT ? kStartFileNotFound : kStartOutOfResources;
    }
    return kStartOk;
}

}  // namespace

int startHidden(std::string_view batchFile) {
    try {
        std::string path = resolve(batchFile);
        if (path.empty()) return kStartFileNotFound;
        int status = checkFile(path);
        if (status != kStartOk) return status;

        // Everything the children need is prepared before fork().
        std::string arg0 = "sh";
        char* argv[] = {arg0.data(), path.data(), nullptr};
        return startDetached(kShell, argv);
    } catch (const std::bad_alloc&) {
        return kStartOutOfResources;
    }
}

int startProgramHidden(std::string_view program, const std::vector<std::string>& arguments) {
    try {
        std::string path = resolve(program);
        if (path.empty()) return kStartFileNotFound;
        int status = checkFile(path);
        if (status != kStartOk) return status;
        if (::access(path.c_str(), X_OK) != 0) return kStartFileNotFound;

        std::vector<std::string> args;
        args.push_back(path);
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        return startDetached(path, argv.data());
    } catch (const std::bad_alloc&) {
        return kStartOutOfResources;
    }
}

}  // namespace vtx::platform

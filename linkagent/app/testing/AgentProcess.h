// Test fixture: runs the LinkAgent program (or another program of the build) as a
// child process in the test's VTX_ROOT, collects its standard output and error
// line by line, and stops it with a signal. The process is killed at the latest
// by the destructor.
//
// Thread-safety: start(), stop() and the destructor from the test thread;
// the readers from any thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vtx::linkagent::test {

class AgentProcess {
public:
    // `environment`: variables to set for the program (an empty value
    // removes the variable), on top of this process's environment.
    // `program`: the path of another program to run the same way (a test's
    // station process); empty: LinkAgent.
    using Environment = std::vector<std::pair<std::string, std::string>>;
    explicit AgentProcess(std::vector<std::string> arguments = {}, Environment environment = {},
                          std::string program = {});
    ~AgentProcess();
    AgentProcess(const AgentProcess&) = delete;
    AgentProcess& operator=(const AgentProcess&) = delete;

    bool start();
    // Waits until a line of standard output equals `line` (or the program ends).
    // The default bounds are generous: they only decide how long a failing
    // test takes.
    bool waitForLine(const std::string& line,
                     std::chrono::milliseconds bound = std::chrono::seconds(30));
    // Waits for the program's end; its exit status, 128 + signal when killed,
    // -1 when it did not end within `bound`.
    int waitForExit(std::chrono::milliseconds bound = std::chrono::seconds(30));
    // Sends `signal` and waits for the end.
    int stop(int signal);

    pid_t pid() const { return pid_; }
    // The port of the "LISTEN <port>" line, 0 before it.
    int port() const;
    std::vector<std::string> output() const;
    std::string errors() const;
    // Lines of standard output equal to `line`.
    int count(const std::string& line) const;
    // Waits until count(line) reaches `n`; the count then.
    int waitForCount(const std::string& line, int n,
                     std::chrono::milliseconds bound = std::chrono::seconds(30));

    // Threads and open descriptors of the running program.
    int threadCount() const;
    int descriptorCount() const;

private:
    void collect(int fd, bool isError);

    std::vector<std::string> arguments_;
    Environment environment_;
    std::string program_;
    pid_t pid_ = -1;
    int exitStatus_ = -1;
    std::thread outReader_, errReader_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> output_;
    std::string errors_;
    int streamsOpen_ = 0;
};

// A loopback port that nobody listens on right now.
int freeLoopbackPort();

}  // namespace vtx::linkagent::test

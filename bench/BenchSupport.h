// What the benchmarks that start LinkAgent share: loopback sockets, child
// programs, and the station LinkAgent serves (its CORE.INI, the route of
// operator BENCH to a vtx-hostsim port).
//
// Thread-safety: the socket helpers from any thread; a Child and the station
// writers from the benchmark's main thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

bool readAll(int fd, char* p, size_t n);
bool sendAll(int fd, const std::string& bytes);
// A connected loopback socket (TCP_NODELAY), or -1.
int connectLoopback(int port);
// The first port from `from` on that is free and does not end in "000"
// (route records hold four-digit ports).
int freeLowPort(int from);
// Raises the soft limit of open descriptors to the hard one; the new soft limit.
long raiseDescriptorLimit();

// A program started with standard output on /dev/null, stopped by SIGTERM
// when the object goes.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Waits (about 5 s at most) until `port` accepts connections.
    bool waitForPort(int port) const;
    // A value of /proc/<pid>/status ("VmRSS" in kB, "Threads"); -1 unknown.
    long status(const std::string& key) const;
    // Open descriptors of the program.
    long descriptors() const;
    // Processor time the program has used (user and system), milliseconds.
    long cpuMillis() const;
    // Whether the program has not ended (nor been reaped) yet.
    bool running() const;
    // Sends SIGTERM and waits for the end: the exit status, 128 + signal
    // when a signal ended it, -1 when it had ended before.
    int stop();

private:
    pid_t pid_ = -1;
    mutable int endStatus_ = -1;  // once reaped by running()
};

// A route of the station LinkAgent serves beyond BENCH's: operator `code`
// to 127.0.0.1:`port`, `timeoutSeconds` for the host's reply.
struct AgentRoute {
    std::string code;
    int port = 0;
    int timeoutSeconds = 10;
};

// Writes the station LinkAgent serves in the VTX_ROOT: operator BENCH routed
// to 127.0.0.1:`hostPort`, LinkAgent listening on 127.0.0.1:`agentPort`
// (Data Type N, Len Size 4), no trace; `extraCore` adds CORE.INI keys
// ({section, key, value}), `extraRoutes` records after BENCH's.
void writeAgentStation(const std::string& root, int hostPort, int agentPort,
                       const std::vector<std::vector<std::string>>& extraCore = {},
                       const std::vector<AgentRoute>& extraRoutes = {});

}  // namespace bench

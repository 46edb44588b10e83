#include "BenchSupport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "HostSimProcess.h"
#include "RouteFile.h"
#include "vtx/platform/IniFile.h"

extern char** environ;

namespace bench {

constexpr std::chrono::milliseconds kStep{20};

namespace {

// A wait status as a shell shows it: the exit code, or 128 + the signal.
int exitStatusOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

bool readAll(int fd, char* p, size_t n) {
    for (ssize_t r; n > 0; p += r, n -= static_cast<size_t>(r))
        if ((r = ::recv(fd, p, n, 0)) <= 0) return false;
    return true;
}

bool sendAll(int fd, const std::string& bytes) {
    return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

int connectLoopback(int port) {
    int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in a{AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return s;
    ::close(s);
    return -1;
}

int freeLowPort(int from) {
    for (int port = from; port < 9999; ++port)
        if (port % 1000 != 0 && vtx::hostsim::claimLoopbackPort(port)) return port;
    return 0;
}

long raiseDescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return -1;
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
    ::getrlimit(RLIMIT_NOFILE, &limit);
    return static_cast<long>(limit.rlim_cur);
}

Child::Child(const std::vector<std::string>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
    stop();
}

bool Child::running() const {
    if (pid_ <= 0 || endStatus_ >= 0) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) != pid_) return true;
    endStatus_ = exitStatusOf(status);
    return false;
}

int Child::stop() {
    if (!running()) return -1;
    int status = 0;
    if (::kill(pid_, SIGTERM) != 0 || ::waitpid(pid_, &status, 0) != pid_) return -1;
    endStatus_ = exitStatusOf(status);
    return endStatus_;
}

bool Child::waitForPort(int port) const {
    int s = -1;
    for (int i = 0; i < 250 && pid_ > 0 && s < 0; ++i) {
        if ((s = connectLoopback(port)) < 0) std::this_thread::sleep_for(kStep);
    }
    return s >= 0 && ::close(s) == 0;
}

long Child::status(const std::string& key) const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return -1;
}

long Child::descriptors() const {
    std::error_code ec;
    long n = 0;
    for (std::filesystem::directory_iterator it("/proc/" + std::to_string(pid_) + "/fd", ec), end;
         !ec && it != end; it.increment(ec))
        ++n;
    return n;
}

long Child::cpuMillis() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    // Fields after the command's closing parenthesis: state is the 3rd field,
    // utime and stime the 14th and 15th.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; fields >> field && i <= 15; ++i)
        if (i >= 14) ticks += std::atol(field.c_str());
    return ticks * 1000 / ::sysconf(_SC_CLK_TCK);
}

void writeAgentStation(const std::string& root, int hostPort, int agentPort,
                       const std::vector<std::vector<std::string>>& extraCore,
                       const std::vector<AgentRoute>& extraRoutes) {
    std::filesystem::create_directories(root + "/C/Vantrix");
    std::ofstream routes(root + "/C/Vantrix/VXIFCLI.BIN", std::ios::binary);
    std::vector<AgentRoute> all{{"BENCH", hostPort, 10}};
    all.insert(all.end(), extraRoutes.begin(), extraRoutes.end());
    for (const AgentRoute& r : all) {
        vtx::cli::RouteRecord route{
            r.code, "127.0.0.1", "", "", "", "", "1", std::to_string(r.timeoutSeconds), "0", ""};
        route.portChk = route.portAdm = route.portAtt = std::to_string(r.port);
        routes << vtx::cli::encodeRouteRecord(route);
    }
    routes.close();
    vtx::platform::iniWriteString("WINVTXCORE.INI", "CORE", "Path Server", "C:\\Vantrix");
    std::vector<vtx::platform::IniWrite> core{
        {"Config", "SOCKETBIN", "0"},
        {"TCPIP PORTS", "Port2Listen", std::to_string(agentPort)},
        {"TCPIP PORTS", "Data Type", "N"},
        {"TCPIP PORTS", "Len Size", "4"},
        {"TCPIP PORTS", "ListenAddress", "127.0.0.1"}};
    for (const auto& entry : extraCore) core.push_back({entry.at(0), entry.at(1), entry.at(2)});
    vtx::platform::iniWrite("C:\\Vantrix\\CORE.INI", core);
}

}  // namespace bench

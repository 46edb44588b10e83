// Test fixture: runs vtx-hostsim as a child process. Writes the configuration
// into a folder, starts the program with its log in that folder, waits for
// READY, and reads back the ports it listens on, the requests it received
// and, with a data folder, the state of the host's transactions.
// The process is stopped (SIGTERM, then SIGKILL) at the latest by the
// destructor, and dies with the test program.
//
// Thread-safety: start() and stop() from one thread; the readers (port,
// logLines, records) may be called from any thread while the object lives.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vtx::hostsim {

// One [section] of the configuration; see doc/hostsim.md for the keys.
struct HostSimPort {
    std::string section;
    int port = 0;  // 0: a free port, read back with HostSimProcess::port()
    std::string bind = "127.0.0.1";
    std::string framing = "plain";  // plain, binary, tpdu, gwtpdu
    std::string gatewayTpdu;        // hex, for gwtpdu
    int cript = 0;                  // 0 none, 1 shift cipher, 2 DES frame
    std::string masterKey;          // Cript=2; empty: the default key
    std::string fault = "none";
    std::string faultOn;   // FaultOn: "0202,0200/800300"; empty: every request
    long faultCount = 0;   // FaultCount: only the first this many matching; 0: all
    std::string faultMix;  // FaultMix: "close-before:5,delay:10"; empty: Fault alone
    long seed = -1;        // Seed of the mix and garbage draws; -1: the simulator's default
    int delayMs = 0;
    int workers = 32;
    std::string status = "00";
    std::string reply;          // empty: the default reply rule
    std::string logonOperator;  // key Operator: whose logon tables; empty: the section's
    std::string administrator;  // key Administrator: whose batches; empty: the operator's
};

// One request as the host received it.
struct HostSimRecord {
    std::string section;
    std::string raw;      // bytes as on the wire
    std::string message;  // deciphered message
};

// True when a TCP socket can be bound to 127.0.0.1:port right now.
bool loopbackPortIsFree(int port);

// Claims the port for this process until it ends, then tells whether it is
// free now. A port is free when checked but taken only when the host binds
// it; without the claim two test programs running side by side (ctest -j)
// could both take it in that gap. False when another process, or an earlier
// call of this one, holds the claim.
bool claimLoopbackPort(int port);

// A loopback port of four digits, claimed and free now (route records hold
// four digits), never one ending in "000" (those give the shift cipher key
// 0, which tests ask for on purpose). Successive calls move on through 5100
// to 9899 from a start that depends on the process. 0 when none is free.
int freeFourDigitPort();

class HostSimProcess {
public:
    HostSimProcess(std::string folder, const std::vector<HostSimPort>& ports);
    // Runs with a configuration written as is (for testing bad files).
    HostSimProcess(std::string folder, std::string configText);
    ~HostSimProcess();
    HostSimProcess(const HostSimProcess&) = delete;
    HostSimProcess& operator=(const HostSimProcess&) = delete;

    static std::string configText(const std::vector<HostSimPort>& ports);

    // Serve transactions from this data folder (--data); call before start().
    void setDataFolder(std::string folder) { dataFolder_ = std::move(folder); }

    // Keep the report and batch files in this station folder (--station-dir,
    // with a data folder); call before start().
    void setStationFolder(std::string folder) { stationFolder_ = std::move(folder); }

    // The log holds card data as received (--raw, the default here: tests
    // compare exact bytes and use test cards only), or masked as a shop's
    // log is (false); call before start().
    void setRawLog(bool raw) { rawLog_ = raw; }

    // Starts the program and waits until READY. False when it did not get
    // there in time; error() then says why, with what the program wrote.
    bool start(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    const std::string& error() const { return error_; }

    // The port the section listens on; 0 when unknown.
    int port(std::string_view section) const;

    // The log file now, line by line, and the requests in it, in order.
    std::vector<std::string> logLines() const;
    std::vector<HostSimRecord> records() const;
    std::vector<HostSimRecord> records(std::string_view section) const;

    // Every STATE line logged for the transaction numbered `nsu` (six
    // digits, "000012"), from "nsu=" on, oldest first: one per request that
    // changed it. transactionState() is the last of them; empty when there
    // is none.
    std::vector<std::string> stateHistory(std::string_view nsu) const;
    std::string transactionState(std::string_view nsu) const;

    // Stops the program (SIGTERM, up to 5 s, then SIGKILL) and returns its
    // exit code, 128 + signal when killed, -1 when it never ran.
    int stop();
    int exitCode() const { return exitCode_; }

    std::string configPath() const { return folder_ + "/hostsim.ini"; }
    std::string logPath() const { return folder_ + "/hostsim.log"; }
    std::string stderrPath() const { return folder_ + "/hostsim.stderr"; }

private:
    bool launch();
    bool readUntilReady(std::chrono::milliseconds timeout);
    bool reap(std::chrono::milliseconds timeout);
    // The known section a log line starts with, and the rest after it.
    bool splitLogLine(std::string_view line, std::string& section, std::string_view& rest) const;

    std::string folder_;
    std::string config_;
    std::string dataFolder_;
    std::string stationFolder_;
    bool rawLog_ = true;
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    int exitCode_ = -1;
    std::string error_;
    std::vector<std::pair<std::string, int>> ports_;
};

}  // namespace vtx::hostsim

// The services the parts of the connection manager share, as interfaces, so
// each part (relay, terminal logon, table download, folder interface) is
// built and tested on its own and wired together in the program.
//
// Thread-safety: every implementation may be called from any thread at once.
#pragma once

#include <functional>
#include <string>

namespace vtx::linkagent {

// The one diagnostic log of the program. `text` is the message as already
// formatted ("Send --> %s" with its arguments); the logger adds time and key,
// masks card data and decides whether logging is enabled.
class Logger {
public:
    virtual ~Logger() = default;
    virtual void log(const std::string& text) = 0;
    // printf-style convenience over log().
    void logf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// The link to the host: with dial-up in use, makes sure a connection exists
// (dialling and redialling as configured) and records activity; without
// dial-up it always succeeds.
class ConnectionGuard {
public:
    virtual ~ConnectionGuard() = default;
    // True when a connection to the host is available now.
    virtual bool ensureConnection() = 0;
    // Notes activity on the link (postpones the idle hang-up).
    virtual void touch() = 0;
    // True while dial-up is in use but no connection exists.
    virtual bool dialUpDown() const = 0;
    // An exchange with the host starts or ends. The link is never idle while
    // one runs, so the idle hang-up cannot cut an exchange short; both ends
    // count as activity.
    virtual void beginExchange() { touch(); }
    virtual void endExchange() { touch(); }
};

// One exchange with the host, from construction to destruction.
class ExchangeScope {
public:
    explicit ExchangeScope(ConnectionGuard& guard) : guard_(guard) { guard_.beginExchange(); }
    ~ExchangeScope() { guard_.endExchange(); }
    ExchangeScope(const ExchangeScope&) = delete;
    ExchangeScope& operator=(const ExchangeScope&) = delete;

private:
    ConnectionGuard& guard_;
};

// The status fields of the program's window (message, connection, logon,
// FTP, dial-up detail); headless, each change goes to standard output and
// the log.
enum class StatusField { Message, Connection, Logon, Ftp, DialUpDetail };
class StatusBoard {
public:
    virtual ~StatusBoard() = default;
    virtual void show(StatusField field, const std::string& text) = 0;
};

// One exchange with the host through the communication library
// (Process_Server): buffer of VX_BUFFER_SIZE bytes, operator, service.
using ServerExchange = std::function<int(char* buffer, const char* op, const char* service)>;

// The operators to log on (ListAdm): fills a VX_LIST_SIZE buffer.
using OperatorLister = std::function<int(char* list)>;

}  // namespace vtx::linkagent

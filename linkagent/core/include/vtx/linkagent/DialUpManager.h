// Dial-up connection management: the start-up check of the dial-up
// settings, "ensure a connection" before every logon, FTP run and relayed
// request (dialling the entry, redialling as configured), the dial-error
// texts, the status refresh of the listener loop and the idle hang-up.
//
// Status texts go to the StatusBoard, in Windows-1252: the connection field
// shows "Discando", "Conectado" or "Desconectado" (each change once), the
// dial-up detail field the dial-error text or "Desconectando ...". Message
// boxes, and closing the program after an unrecoverable dial-up failure,
// are asked of the hooks.
//
// With dial-up not in use every check succeeds at once and the backend is
// never called.
//
// Serialisation: one dial mutex covers dialling, hanging up and the status
// refresh. Threads that ask for a connection at the same time get one dial:
// the first dials, the others wait and then find the connection up. A
// hang-up never interleaves with a dial. The flags (connected, dialling,
// ending) and the time of the last activity are atomics, read without the
// mutex.
//
// Thread-safety: every member may be called from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/DialUpSettings.h"
#include "vtx/platform/DialUp.h"

namespace vtx::linkagent {

struct DialUpHooks {
    // Shows a message box (title, text); nothing is shown when empty.
    std::function<void(const std::string& title, const std::string& text)> messageBox;
    // The program must close; called after the message box.
    std::function<void()> closeProgram;
};

struct DialUpTiming {
    // Pause after a hang-up, before the line is reported down.
    std::chrono::milliseconds hangUpWait{5000};
    // Pause between a completed dial and the status query.
    std::chrono::milliseconds statusDelay{1000};
    // The status refresh asks the backend at most this often.
    std::chrono::milliseconds refreshInterval{1000};
    // Millisecond clock of the idle rule; the platform tick count when empty.
    std::function<uint32_t()> tick;
};

// A message box: a failed start-up check (the program shows it and ends), or
// a dial-up failure.
struct DialUpMessage {
    std::string title;
    std::string text;
};

class DialUpManager final : public ConnectionGuard {
public:
    // `backend` may be null when dial-up is not in use (or its backend is
    // unknown: the start-up check then fails). `board` must outlive this.
    DialUpManager(DialUpSettings settings, std::unique_ptr<platform::DialUp> backend,
                  StatusBoard& board, DialUpHooks hooks = {}, DialUpTiming timing = {});

    // Checks the dial-up service and decides the entry to dial: the
    // configured Connection, else the first saved entry. Call once at
    // start-up, before any other member; nullopt when the program may go on.
    std::optional<DialUpMessage> checkStartup();

    // Records the activity; when no connection is up, dials, and redials
    // up to Qty_Redial more times while the program is not ending.
    bool ensureConnection() override;
    void touch() override;
    bool dialUpDown() const override;
    void beginExchange() override;
    void endExchange() override;

    // The listener's refresh: "Discando" while dialling; otherwise any
    // connection that is up (also one made outside the program) makes the
    // line connected, none makes it disconnected.
    void refreshStatus();

    // The idle rule: when connected, no exchange runs, and the seconds since
    // the last activity reach Time2HangUp, hangs up. True when it hung up.
    bool hangUpIfIdle();

    // The hang-up command (window button, closing, end of a LOGIN run):
    // hangs up when connected, then waits hangUpWait.
    void hangUp();

    // The program is ending: no more redials.
    void setEnding();

    bool inUse() const { return settings_.inUse; }
    bool connected() const { return connected_; }
    bool dialling() const { return dialling_; }
    // The entry dialled (after checkStartup()).
    std::string entry() const;

private:
    // What one dial attempt came to, with what to tell the program once
    // the dial mutex is released.
    struct Outcome {
        bool connected = false;
        bool fatal = false;  // the program must close
        std::optional<DialUpMessage> box;
    };

    bool dialOnce();
    Outcome dialLocked();                            // under dialMutex_
    Outcome dialAndQuery(const std::string& entry);  // under dialMutex_
    void hangUpLocked();                             // under dialMutex_
    bool idle() const;
    uint32_t now() const;
    void show(StatusField field, const std::string& text);

    const DialUpSettings settings_;
    const std::unique_ptr<platform::DialUp> backend_;
    StatusBoard& board_;
    const DialUpHooks hooks_;
    const DialUpTiming timing_;

    std::atomic<bool> connected_{false};
    std::atomic<bool> dialling_{false};
    std::atomic<bool> ending_{false};
    std::atomic<uint32_t> lastActivity_{0};
    std::atomic<int> exchanges_{0};  // exchanges with the host running now

    std::mutex dialMutex_;
    platform::DialUpConnection current_;  // guarded by dialMutex_: the connection up
    bool refreshed_ = false;              // guarded by dialMutex_
    uint32_t lastRefresh_ = 0;            // guarded by dialMutex_

    mutable std::mutex entryMutex_;
    std::string entry_;  // guarded by entryMutex_

    std::mutex boardMutex_;
    std::map<StatusField, std::string> shown_;  // guarded by boardMutex_
};

}  // namespace vtx::linkagent

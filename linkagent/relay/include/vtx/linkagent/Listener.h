// The listener of the connection manager: accepts the terminals' TCP
// connections on `Port2Listen`, keeps each one in the waiting room
// (WaitingRoom) until its request has arrived whole, and gives each whole
// request to a relay thread of its own (RelayConnection), at most
// ListenerOptions::maxRelays at a time. Connections that send nothing cost a
// descriptor, not a relay thread, so they cannot keep the terminals that do
// send from being served; the room holds at most maxWaiting of them, letting
// the one that has waited longest go when a new one comes.
//
// One thread waits on the listening socket and the waiting connections
// together, in steps of pollInterval; on every idle step it calls the idle
// hook (dial-up status and idle hang-up). Finished relays are joined on every
// turn. It ends when the ending flag is set, letting go of every connection
// still waiting. A failure that leaves it unable to serve (the wait fails, a
// relay thread cannot be created) is reported through the fatal hook, which
// is expected to close the program.
//
// Thread-safety: open(), start() and join() from the thread that owns the
// listener; port(), activeRelays() and waitingConnections() from any thread.
// The hooks run on the listener thread.
#pragma once

#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "vtx/linkagent/CSocket.h"
#include "vtx/linkagent/RelayConnection.h"
#include "vtx/linkagent/RelayPool.h"
#include "vtx/linkagent/RelayServices.h"
#include "vtx/linkagent/WaitingRoom.h"

namespace vtx::linkagent {

struct ListenerOptions {
    int port = 0;         // 0: a free port (tests), read back with port()
    std::string address;  // empty: all local addresses
    // Connections the system completes before the listener takes them: a
    // burst of connections (terminals reconnecting at once) must not find
    // the queue full, or their connection waits for a retransmission.
    int backlog = SOMAXCONN;
    size_t maxRelays = 256;
    // Connections kept waiting for their request (whole requests waiting for
    // a relay included). 0: what the descriptor limit leaves beside the
    // relays' connections and a reserve, within [16, 16384].
    size_t maxWaiting = 0;
    RelayOptions relay;
    std::chrono::milliseconds pollInterval{20};
};

struct ListenerHooks {
    std::function<void()> idle;
    // The text of a message box titled "LinkAgent - Erro".
    std::function<void(const std::string& text)> fatal;
};

class Listener {
public:
    static constexpr const char* kErrorTitle = "LinkAgent - Erro";

    Listener(const RelayServices& services, ListenerOptions options, ListenerHooks hooks,
             std::atomic<bool>& ending);
    // Sets the ending flag and joins the loop and every relay.
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Creates the listening socket and puts it in listen mode. False after
    // reporting "[%d] - Erro criando Socket Principal" or "[%d] - Erro
    // colocando Socket em modo Listen" through the fatal hook.
    bool open();
    // The port listened on (after open()).
    int port() const { return port_.load(); }

    // Runs the accept loop on its own thread. False when the thread could not
    // be created (reported through the fatal hook).
    bool start();

    // Waits for the loop to end (the caller sets the ending flag first), then
    // up to `relayBound` for the relays. False when relays were still running
    // and had to be left behind (see RelayPool::finish).
    bool join(std::chrono::milliseconds relayBound);

    size_t activeRelays() const { return pool_.active(); }
    size_t waitingConnections() const { return room_.waiting(); }

    // The waiting room's size for `options` (maxWaiting, or the default
    // described there).
    static size_t waitingCapacity(const ListenerOptions& options);

private:
    void run();
    // Takes the pending connections into the waiting room.
    void acceptPending();
    // Hands whole requests to free relay threads; false when the listener
    // cannot go on.
    bool dispatch();
    bool startRelay(ArrivedRequest arrived);
    void report(const char* format, int code);

    const RelayServices& services_;
    const ListenerOptions options_;
    const ListenerHooks hooks_;
    std::atomic<bool>& ending_;
    const RelayConnection connection_;
    CSocket socket_;
    std::atomic<int> port_{0};
    WaitingRoom room_;  // before pool_: finishing relays wake it
    RelayPool pool_;
    std::thread thread_;
};

}  // namespace vtx::linkagent

// The listener of the connection manager: accepts the terminals' TCP
// connections on `Port2Listen` and gives each one to a relay thread of its
// own (RelayConnection), at most ListenerOptions::maxRelays at a time.
// Connections beyond that wait in the system's queue until a relay finishes.
//
// The loop waits on the listening socket in steps of pollInterval (so a
// connection is taken at once), and on every idle step calls the idle hook
// (dial-up status and idle hang-up) and joins finished relays. It ends when
// the ending flag is set. A failure that leaves it unable to serve (the
// listening socket fails, a relay thread cannot be created) is reported
// through the fatal hook, which is expected to close the program.
//
// Thread-safety: open(), start() and join() from the thread that owns the
// listener; port() and activeRelays() from any thread. The hooks run on the
// listener thread.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "vtx/linkagent/CSocket.h"
#include "vtx/linkagent/RelayConnection.h"
#include "vtx/linkagent/RelayPool.h"
#include "vtx/linkagent/RelayServices.h"

namespace vtx::linkagent {

struct ListenerOptions {
    int port = 0;         // 0: a free port (tests), read back with port()
    std::string address;  // empty: all local addresses
    int backlog = 128;
    size_t maxRelays = 256;
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

private:
    void run();
    // Hands `accepted` to a relay thread; false when the listener cannot go on.
    bool startRelay(int accepted);
    void report(const char* format, int code);

    const RelayServices& services_;
    const ListenerOptions options_;
    const ListenerHooks hooks_;
    std::atomic<bool>& ending_;
    const RelayConnection connection_;
    CSocket socket_;
    std::atomic<int> port_{0};
    RelayPool pool_;
    std::thread thread_;
};

}  // namespace vtx::linkagent

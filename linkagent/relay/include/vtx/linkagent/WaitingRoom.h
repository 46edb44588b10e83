// Where the listener keeps the connections it has accepted until their
// request has arrived whole, and the whole requests until a relay thread is
// free. A connection here costs a descriptor and the bytes it has sent, no
// thread: terminals that connect and send nothing (or too little) cannot take
// the relay threads of the ones that send their request.
//
//   - Every connection must bring its whole request within
//     RelayOptions::requestTimeout of being admitted, or it is let go.
//   - At most `capacity` connections are kept; when the room is full, the one
//     that has waited longest for its request is let go to make room for the
//     newcomer. Whole requests are never let go (they wait for a relay).
//   - Requests come out in the order they became whole.
// The texts shown and logged are the relay's: "Aguardando mensagens" on
// admission, "Mensagem recusada, tamanho [..]" / "Mensagem recusada." for an
// impossible length, "Erro no socket!" for a connection that breaks (or is
// let go) after its length arrived; one let go before that goes quietly.
//
// Thread-safety: the listener's thread only, except wake() and waiting(),
// which any thread may call.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <list>
#include <optional>
#include <unordered_map>

#include "vtx/linkagent/PendingRequest.h"
#include "vtx/linkagent/RelayServices.h"

namespace vtx::linkagent {

class WaitingRoom {
public:
    using Clock = PendingRequest::Clock;

    WaitingRoom(const RelayServices& services, const RelayOptions& options, size_t capacity);
    // Closes every connection still here.
    ~WaitingRoom();
    WaitingRoom(const WaitingRoom&) = delete;
    WaitingRoom& operator=(const WaitingRoom&) = delete;

    // Creates the wait set, with the listening socket `listening` in it.
    // False on failure, with errno set.
    bool open(int listening);

    // Takes an accepted connection (closed here when it cannot be kept).
    void admit(int socket);
    // True when no connection can be admitted: every place holds a whole
    // request. The listening socket is then not waited on.
    bool full() const;
    // Lets go of the connection that has waited longest for its request, to
    // free its descriptor; false when there is none.
    bool letOldestGo();

    struct Woken {
        bool listening = false;  // a connection may be accepted
        bool anything = false;   // something happened before the bound
        int error = 0;           // the wait failed: its Winsock number
    };
    // Waits up to `bound` (less when a connection's time runs out sooner)
    // for the listening socket, data on the connections here or wake();
    // reads what has arrived and lets go of connections whose time is up.
    Woken wait(std::chrono::milliseconds bound);

    // The oldest whole request, for a relay thread; nothing when none waits.
    std::optional<ArrivedRequest> nextWhole();

    // Ends the current wait() (a relay thread finished). Any thread.
    void wake();
    // Connections here, whole requests included. Any thread.
    size_t waiting() const { return count_.load(); }

    // Closes every connection.
    void closeAll();

private:
    using Pending = std::list<PendingRequest>;

    void readFrom(Pending::iterator it);
    // Removes and closes `it`, with the texts for a connection let go.
    void letGo(Pending::iterator it);
    void drop(Pending::iterator it);
    void listen(bool on);
    void recount();

    const RelayServices& services_;
    const RelayOptions& options_;
    const size_t capacity_;
    int epoll_ = -1;
    int wake_ = -1;       // eventfd
    int listening_ = -1;  // not owned
    bool listeningOn_ = false;
    Pending pending_;  // in order of admission, so of deadline
    std::unordered_map<int, Pending::iterator> bySocket_;
    std::deque<ArrivedRequest> whole_;
    std::atomic<size_t> count_{0};
};

}  // namespace vtx::linkagent

// One configured port: its socket and a pool of worker threads that take
// turns accepting on it, each serving one connection at a time. A port with
// the refuse fault is bound but never listens and has no workers.
//
// Thread-safety: open(), start() and join() are called by the owning thread;
// workers share only immutable state, the log, the NSU counter and the
// transaction desk.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FrameCodec.h"
#include "ListenSocket.h"
#include "NsuCounter.h"
#include "PortConfig.h"
#include "RequestHandler.h"
#include "RequestLog.h"
#include "Responder.h"
#include "StopSignal.h"

namespace vtx::hostsim {

class PortServer {
public:
    // `desk`, when given, answers transactions (see Responder::forPort).
    PortServer(PortConfig config, NsuCounter& nsu, RequestLog& log, const StopSignal& stop,
               TransactionDesk* desk = nullptr);
    ~PortServer();
    PortServer(const PortServer&) = delete;
    PortServer& operator=(const PortServer&) = delete;

    // Binds the port. False with `error` set on failure.
    bool open(std::string& error);

    const PortConfig& config() const { return config_; }
    int port() const { return socket_ ? socket_->port() : 0; }

    // Starts the workers; they run until the stop signal.
    void start();
    void join();

private:
    void workerLoop();

    PortConfig config_;
    Responder responder_;
    RequestLog& log_;
    const StopSignal& stop_;
    std::optional<ListenSocket> socket_;
    std::unique_ptr<FrameCodec> codec_;
    std::unique_ptr<RequestHandler> handler_;
    std::vector<std::thread> workers_;
};

}  // namespace vtx::hostsim

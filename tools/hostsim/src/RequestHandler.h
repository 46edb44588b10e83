// Serves one accepted connection of a port: reads one request frame, logs it,
// applies the port's fault, answers and closes.
//
// Thread-safety: serve() may be called from every worker of the port at once.
#pragma once

#include "FrameCodec.h"
#include "PortConfig.h"
#include "RequestLog.h"
#include "Responder.h"
#include "StopSignal.h"

namespace vtx::hostsim {

class RequestHandler {
public:
    RequestHandler(const PortConfig& config, const FrameCodec& codec, const Responder& responder,
                   RequestLog& log, const StopSignal& stop)
        : config_(config), codec_(codec), responder_(responder), log_(log), stop_(stop) {}

    // Takes ownership of the accepted, non-blocking socket `fd`.
    void serve(int fd) const;

private:
    void fault(std::string_view detail) const;

    const PortConfig& config_;
    const FrameCodec& codec_;
    const Responder& responder_;
    RequestLog& log_;
    const StopSignal& stop_;
};

}  // namespace vtx::hostsim

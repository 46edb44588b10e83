// Serves one accepted connection of a port: reads one request frame, logs it,
// applies the port's fault when it hits this request (or the fault its mix
// draws for it), answers and closes.
// Faults that close before answering (close-before, minus163) leave the
// host's state as it was; every other fault answers by the rules first, so
// the state changes and its STATE lines are logged even when the reply
// never arrives whole (close-middle, close-after, oversize), arrives as
// random bytes (garbage) or arrives late (delay).
//
// Thread-safety: serve() may be called from every worker of the port at once.
#pragma once

#include "FaultSelector.h"
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
        : config_(config),
          codec_(codec),
          responder_(responder),
          log_(log),
          stop_(stop),
          faults_(config) {}

    // Takes ownership of the accepted, non-blocking socket `fd`.
    void serve(int fd) const;

private:
    // Logs a fault applied to the request `message`, with its kind.
    void note(std::string_view detail, std::string_view message) const;

    const PortConfig& config_;
    const FrameCodec& codec_;
    const Responder& responder_;
    RequestLog& log_;
    const StopSignal& stop_;
    FaultSelector faults_;
};

}  // namespace vtx::hostsim

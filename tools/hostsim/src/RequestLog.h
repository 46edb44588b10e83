// The request log shared by every port and worker. Each call writes its lines
// with one write() under a mutex, so lines of concurrent requests never
// interleave, and a request's lines are in the file before its reply leaves.
//
//   <section> RAW <hex of the bytes received, as on the wire>
//   <section> MSG <the deciphered message, see printableText()>
//
// Card numbers and tracks in a request are masked (vtx::wire::maskCardData)
// before either line is made: MSG shows the masked text, RAW the frame as it
// came with the masked text in place of the message, enciphered as it was,
// so no line gives back more than the first 6 and last 4 digits. A log
// opened raw (`vtx-hostsim --raw`) shows the bytes exactly as received.
//   <section> REJECT <reason>
//   <section> FAULT <fault and detail>
//
// Thread-safety: all members may be called from any thread once open.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "FrameCodec.h"

namespace vtx::hostsim {

class RequestLog {
public:
    RequestLog() = default;  // disabled: every call does nothing
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // Creates or empties the file. `raw`: card data is written as received,
    // not masked. False with `error` set on failure.
    bool open(const std::string& path, bool raw, std::string& error);
    bool enabled() const { return fd_ >= 0; }

    // The RAW and MSG lines of a request read by `codec`.
    void request(std::string_view section, const Request& request, const FrameCodec& codec);
    void note(std::string_view section, std::string_view tag, std::string_view text);

private:
    void writeLines(const std::string& lines);

    int fd_ = -1;
    bool raw_ = false;
    std::mutex mutex_;
};

}  // namespace vtx::hostsim

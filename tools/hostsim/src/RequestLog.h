// The request log shared by every port and worker. Each call writes its lines
// with one write() under a mutex, so lines of concurrent requests never
// interleave, and a request's lines are in the file before its reply leaves.
//
//   <section> RAW <hex of the bytes received, as on the wire>
//   <section> MSG <the deciphered message, see printableText()>
//   <section> REJECT <reason>
//   <section> FAULT <fault and detail>
//
// Thread-safety: all members may be called from any thread once open.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace vtx::hostsim {

class RequestLog {
public:
    RequestLog() = default;  // disabled: every call does nothing
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // Creates or empties the file. False with `error` set on failure.
    bool open(const std::string& path, std::string& error);
    bool enabled() const { return fd_ >= 0; }

    void request(std::string_view section, std::string_view raw, std::string_view message);
    void note(std::string_view section, std::string_view tag, std::string_view text);

private:
    void writeLines(const std::string& lines);

    int fd_ = -1;
    std::mutex mutex_;
};

}  // namespace vtx::hostsim

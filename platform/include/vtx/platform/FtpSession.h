// One FTP session on libcurl: list the files of the login folder that match a
// pattern (with their sizes), fetch one file streamed into a sink, delete,
// rename. Binary transfers only; one control connection is kept between the
// calls of one session.
//
// Every call is bounded in time: the connection (and the server's greeting
// and login) within `connectTimeout`, each server answer within
// `responseTimeout`, and a transfer that moves fewer than `lowSpeedBytes`
// bytes a second for `lowSpeedTime` is abandoned. `cancelled`, when set, is
// read at least once a second and ends the call in progress.
//
// Failures are values: each call returns false and error() holds curl's
// text ("Login denied", "Couldn't connect to server", ...).
//
// Thread-safety: one session is used by one thread at a time; sessions of
// different threads are independent.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::platform {

struct FtpConnectSettings {
    std::string host;
    int port = 0;  // 0: the standard port 21
    std::string user;
    std::string password;
    bool passive = false;  // false: active transfers (PORT)
    std::chrono::milliseconds connectTimeout{15000};
    std::chrono::milliseconds responseTimeout{30000};
    long lowSpeedBytes = 1;
    std::chrono::seconds lowSpeedTime{30};
    const std::atomic<bool>* cancelled = nullptr;
};

struct FtpEntry {
    std::string name;
    long long size = 0;
};

class FtpSession {
public:
    explicit FtpSession(FtpConnectSettings settings);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // The files of the login folder whose names match `pattern` ("*" and
    // "?", without regard to case), asked of the server anew each time, in
    // the server's order. A name the server gives no size for (a folder) is
    // left out. nullopt on failure.
    std::optional<std::vector<FtpEntry>> list(std::string_view pattern);

    // Receives `name` in binary mode, handing each piece to `sink` as it
    // comes (nothing is buffered whole). A sink that returns false ends the
    // transfer: the result is then SinkRefused.
    enum class Fetch { Ok, Failed, SinkRefused };
    using Sink = std::function<bool(std::string_view piece)>;
    Fetch fetch(const std::string& name, const Sink& sink);

    bool remove(const std::string& name);
    bool rename(const std::string& from, const std::string& to);

    // Closes the control connection (the next call connects anew).
    void disconnect();

    const std::string& error() const { return error_; }

private:
    bool perform();
    // Commands sent as they are on the control connection, in order.
    bool quote(const std::vector<std::string>& commands);
    void reset(const std::string& path);
    std::string url(const std::string& path) const;

    FtpConnectSettings settings_;
    void* curl_ = nullptr;  // CURL*
    std::string error_;
};

}  // namespace vtx::platform

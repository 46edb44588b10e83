// Test fixture: the FTP server of linkagent/download/tests/ftp_server.py
// (pyftpdlib) as a child process on a free 127.0.0.1 port, user "12345",
// password "secret", home folder `home`. Killed by the destructor.
//
// Thread-safety: the test thread only.
#pragma once

#include <sys/types.h>

#include <string>

namespace vtx::linkagent::test {

class FtpServerProcess {
public:
    static constexpr const char* kUser = "12345";
    static constexpr const char* kPassword = "secret";

    // `refusePattern`: files listed but whose transfer is refused.
    explicit FtpServerProcess(std::string home, std::string refusePattern = {});
    ~FtpServerProcess();
    FtpServerProcess(const FtpServerProcess&) = delete;
    FtpServerProcess& operator=(const FtpServerProcess&) = delete;

    // Starts it and waits (bounded) for its port; false when it did not come up.
    bool start();
    int port() const { return port_; }

private:
    std::string home_, refuse_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace vtx::linkagent::test

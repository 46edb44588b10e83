// Test helper: a connected pair of local stream sockets, closed with the
// object. Nothing is ever written unless the test writes it.
//
// Thread-safety: one test at a time uses an object.
#pragma once

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vtx::test {

struct SocketPair {
    int fd[2] = {-1, -1};
    SocketPair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fd), 0); }
    ~SocketPair() {
        for (int f : fd)
            if (f >= 0) ::close(f);
    }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;
};

}  // namespace vtx::test

// A request read as its bytes come: in pieces, never past its end, and
// refused or broken as soon as that is certain.
#include "vtx/linkagent/PendingRequest.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace vtx::linkagent {
namespace {

using Progress = PendingRequest::Progress;

class PendingRequestTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends_), 0); }
    void TearDown() override {
        for (int end : ends_)
            if (end >= 0) ::close(end);
    }
    void terminalSends(const std::string& bytes) {
        ASSERT_EQ(::send(ends_[1], bytes.data(), bytes.size(), 0),
                  static_cast<ssize_t>(bytes.size()));
    }
    PendingRequest pending(TerminalFraming framing = {}) {
        return PendingRequest(ends_[0], framing, PendingRequest::Clock::now());
    }

    int ends_[2] = {-1, -1};
};

TEST_F(PendingRequestTest, PiecesMakeOneRequestAndWhatFollowsStaysUnread) {
    PendingRequest request = pending();
    EXPECT_EQ(request.read(), Progress::kWaiting);  // nothing yet
    terminalSends("00");
    EXPECT_EQ(request.read(), Progress::kWaiting);
    EXPECT_FALSE(request.lengthRead());
    terminalSends("08CHK");
    EXPECT_EQ(request.read(), Progress::kWaiting);
    EXPECT_TRUE(request.lengthRead());
    terminalSends("OPA  NEXT");
    EXPECT_EQ(request.read(), Progress::kWhole);
    const ArrivedRequest arrived = request.take();
    EXPECT_EQ(arrived.socket, ends_[0]);
    EXPECT_EQ(arrived.length, "0008");
    EXPECT_EQ(arrived.request, "CHKOPA  ");
    char rest[8] = {};
    EXPECT_EQ(::recv(ends_[0], rest, sizeof rest, MSG_DONTWAIT), 4);
    EXPECT_EQ(std::string(rest), "NEXT");
}

TEST_F(PendingRequestTest, ImpossibleLengthsAreRefusedBeforeTheBody) {
    for (const std::string field : {"3088", "0000", "12x4", "    "}) {
        SCOPED_TRACE(field);
        PendingRequest request = pending();
        terminalSends(field + "BODY");
        EXPECT_EQ(request.read(), Progress::kRefused);
        char body[8] = {};
        EXPECT_EQ(::recv(ends_[0], body, sizeof body, MSG_DONTWAIT), 4);  // left unread
    }
    PendingRequest binary = pending({DataType::Binary, 4});
    terminalSends(std::string("\x11\x0C", 2));  // 3089
    EXPECT_EQ(binary.read(), Progress::kRefused);
    EXPECT_EQ(binary.lengthShown(), "3089");
}

TEST_F(PendingRequestTest, APeerThatClosesBreaksTheRequestAtAnyPoint) {
    PendingRequest request = pending();
    terminalSends("0010CHK");
    EXPECT_EQ(request.read(), Progress::kWaiting);
    ::close(ends_[1]);
    ends_[1] = -1;
    EXPECT_EQ(request.read(), Progress::kBroken);
}

}  // namespace
}  // namespace vtx::linkagent

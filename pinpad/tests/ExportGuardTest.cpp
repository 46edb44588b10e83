// The exports catch whatever the adapter throws. Every allocation fails
// while a call runs (FailingAllocator replaces operator new in this
// program), so the adapter throws std::bad_alloc inside it: the call must
// return -1 instead of letting the exception into the client, and leave the
// library usable.
#include <gtest/gtest.h>

#include "FailingAllocator.h"
#include "PinPadStation.h"
#include "vx32_pin.h"

namespace vtx::pinpad::test {
namespace {

// Runs `call` with every allocation failing; allocations work again after
// it, also when an exception escapes it (so the test can report that).
template <typename Call>
int32_t withoutMemory(Call&& call) {
    struct Restore {
        ~Restore() { failAllocations(false); }
    } restore;
    failAllocations(true);
    return call();
}

class ExportGuardTest : public PinPadStation {};

TEST_F(ExportGuardTest, AFailureInsideAReadIsTheResultMinusOne) {
    configure("0", "3");
    script("[Card]\r\nTrack1=6012345678901234=2812\r\n[Text]\r\nTyped=12345678\r\n");
    char track[400] = "untouched";
    EXPECT_EQ(withoutMemory([&] { return GetTrack(track, ""); }), -1);
    EXPECT_STREQ(track, "untouched");

    // Nothing is left locked or half done: the next read works.
    const auto read = getTrack();
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.track, "6012345678901234=2812\xE7:");

    char password[16] = "untouched";
    EXPECT_EQ(withoutMemory([&] { return GetPassword(password, ""); }), -1);
    EXPECT_EQ(GetPassword(password, ""), 0);
    EXPECT_STREQ(password, "123456");
}

}  // namespace
}  // namespace vtx::pinpad::test

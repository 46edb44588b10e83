// GetTrack and GetPassword against the simulated PIN pad: the calls each
// driver makes and their arguments, the statuses that come back, and an
// abort from another process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Eventually.h"
#include "PinPadStation.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/NamedEvent.h"
#include "vx32_pin.h"

namespace vtx::pinpad::test {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// True while the vendor library is mapped into this process.
bool vendorLibraryLoaded() {
    std::ifstream maps("/proc/self/maps");
    const std::string all((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    return all.find("libppsim.so") != std::string::npos;
}

class GetTrackTest : public PinPadStation {};

TEST_F(GetTrackTest, PPFamilyOpensDisplaysReadsTheCardClosesAndUnloads) {
    configure("1", "12", "PINPAD01");
    script("[Card]\r\nTrack1=6012345678901234=2812\r\nTrack2=;6012345678901234?\r\n");
    const auto read = getTrack();
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.track, "6012345678901234=2812\xE7;6012345678901234?:");
    EXPECT_EQ(calls(), (Lines{"PP_iOpen", "PP_iDisplay|", "PP_iDisplay|",
                              // 62 bytes: the block with pointer-sized addresses.
                              "PP_iGetCard|size=62|reserved=0,0|key=00000000|abort=set",
                              "PP_iDisplay|", "PP_iClose"}));
    EXPECT_FALSE(vendorLibraryLoaded()) << "unloaded after the read";
    // Only the first character of PINPORT reaches the vendor's settings.
    EXPECT_EQ(platform::iniGetString("PPVISA.INI", "PINPAD01", "Port", "?"), "1");
}

TEST_F(GetTrackTest, PinFamilyNamesThePortAndWaitsOutBusyAnswers) {
    configure("0", "3");
    script("[Card]\r\nTrack1=6012345678901234=2812\r\nBusyAnswers=2\r\n");
    const auto read = getTrack();
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.track, "6012345678901234=2812\xE7:");
    EXPECT_EQ(calls(), (Lines{"OpenPin|3|3|3",
                              "EnviaMsgStringPin||3||1000",
                              "EnviaMsgStringPin|Passe o Cartao|3|Passe o Cartao|1000",
                              "IniciaObtemTrilhaPin|3|60000|busy",
                              "IniciaObtemTrilhaPin|3|60000|busy",
                              "IniciaObtemTrilhaPin|3|60000",
                              "ObtemTrilhaPin|3|busy",
                              "ObtemTrilhaPin|3|busy",
                              "ObtemTrilhaPin|3",
                              "EnviaMsgStringPin||3||1000",
                              "ClosePin|3|3"}));

    // The password is read on the driver the card read left behind.
    script("[Text]\r\nTyped=12345678\r\n");
    char password[16] = "untouched";
    EXPECT_EQ(GetPassword(password, ""), 0);
    EXPECT_STREQ(password, "123456");
    const Lines after = calls();
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[after.size() - 2], "PP_iGetString|1|Digite sua Senha|6|0|1|0");
    EXPECT_EQ(after.back(), "ClosePin|3|3");
}

TEST_F(GetTrackTest, OtherLibraryTypesReadNoCard) {
    configure("7");
    script("");
    const auto read = getTrack();
    EXPECT_EQ(read.result, -20);
    EXPECT_EQ(read.track, std::string(399, ' '));
    EXPECT_TRUE(calls().empty());
}

TEST_F(GetTrackTest, VendorStatusesComeBackAsTheStationReadsThem) {
    configure("1");
    struct Case {
        const char* script;
        int result;
    };
    const Case cases[] = {
        {"[Status]\r\nPP_iDisplay=201\r\n", -65335},  // above 200: negative
        {"[Status]\r\nPP_iDisplay=200\r\n", 200},
        {"[Card]\r\nStatus=65516\r\n", -20},          // card read: status - 65536
        {"[Card]\r\nStatus=5\r\n", -65531},
        {"[Status]\r\nPP_iOpen=9\r\n", 0},            // the display status replaces it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        script(c.script);
        root.writeFile("C/Windows/PPSIM.LOG", "");
        EXPECT_EQ(getTrack().result, c.result);
        // Whatever the status, the PIN pad is closed again.
        ASSERT_FALSE(calls().empty());
        EXPECT_EQ(calls().back(), "PP_iClose");
    }
}

TEST_F(GetTrackTest, MissingLibraryOrEntryPointGivesMinusOne) {
    configure("1");
    setPinPad("DLLPIN", "");
    EXPECT_EQ(getTrack().result, -1);
    setPinPad("DLLPIN", "NoSuchPinPad.dll");
    EXPECT_EQ(getTrack().result, -1);
    // A library without the PIN pad's entry points.
    setPinPad("DLLPIN", std::string(VTX_BIN_DIR) + "/libVX32_CLI.so");
    EXPECT_EQ(getTrack().result, -1);
    configure("0");
    setPinPad("DLLPIN", std::string(VTX_BIN_DIR) + "/libVX32_CLI.so");
    EXPECT_EQ(getTrack().result, -1);
}

// Sets the abort event from another process once the read waits for the
// card (the simulator has recorded the card-reading call): set earlier, the
// read would clear it as a leftover of an earlier read. `calls` gives the
// simulator's calls so far.
template <typename Calls>
pid_t abortFromAnotherProcess(Calls calls) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool waiting = vtx::test::eventually([&] {
            for (const std::string& call : calls())
                if (call.starts_with("PP_iGetCard|") || call.starts_with("IniciaObtemTrilhaPin|"))
                    return true;
            return false;
        });
        platform::NamedEvent event("VX32_PIN");
        ::_exit(waiting && event.set() ? 0 : 1);
    }
    return pid;
}

TEST_F(GetTrackTest, AnotherProcessAbortsAPendingRead) {
    for (const char* type : {"1", "0"}) {
        SCOPED_TRACE(std::string("DLLTYPE ") + type);
        configure(type);
        script("[Card]\r\nInsertAfterMs=20000\r\n");
        // The calls of the previous read must not be taken for this one's:
        // the helper would abort before this read began, and the read, which
        // clears earlier aborts, would wait for its card.
        std::filesystem::remove(root.native("C/Windows/PPSIM.LOG"));
        const pid_t helper = abortFromAnotherProcess([this] { return calls(); });
        const auto t0 = std::chrono::steady_clock::now();
        const auto read = getTrack();
        EXPECT_LT(std::chrono::steady_clock::now() - t0, 15s);  // the card would come at 20 s
        int status = -1;
        ASSERT_EQ(::waitpid(helper, &status, 0), helper);
        // The PP family answers the vendor's abort status (the simulator's
        // 65532); the Pin family is stopped by the adapter itself. Either way
        // the client sees a cancelled read and no track.
        EXPECT_EQ(read.result, -4);
        EXPECT_EQ(read.track, std::string(399, ' '));

        // The abort belonged to that read: the next one reads its card.
        script("[Card]\r\nTrack1=6012345678901234\r\n");
        EXPECT_EQ(getTrack().result, 0);
    }
}

}  // namespace
}  // namespace vtx::pinpad::test

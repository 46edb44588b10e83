// The card screen reading a card on the PIN pad for real: libVX32_PIN.so
// loaded by name, driving the simulated vendor library libppsim.so that the
// station's CORE.INI names; and a read aborted from another process.
#include <sys/wait.h>
#include <unistd.h>

#include <QPushButton>
#include <chrono>
#include <memory>
#include <thread>

#include "Eventually.h"
#include "screens/FormInicial.h"
#include "screens/PinPadTrack.h"
#include "screens/tests/ScreenFixture.h"
#include "vtx/platform/NamedEvent.h"

namespace vtx::client::test {
namespace {

using namespace std::chrono_literals;

class PinPadCardReadTest : public ScreenTest {
protected:
    PinPadCardReadTest() {
        root_.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Core=C:\\Vantrix\r\n");
        root_.writeFile("C/Vantrix/CORE.INI", std::string("[PINPAD]\r\nDLLTYPE=1\r\nDLLPIN=") +
                                                  VTX_BIN_DIR + "/libppsim.so\r\nPINPORT=1\r\n"
                                                  "PINPAD=PINPAD01\r\n");
        session_.settings.LeitorType = 2;
    }

    FormInicial& open() {
        form_ = std::make_unique<FormInicial>(session_, frame_, openers_, pinPad_.function());
        form_->show();
        return *form_;
    }

    LoadedPinPad pinPad_{QStringLiteral("C:\\VANTRIX")};
    std::unique_ptr<FormInicial> form_;
};

TEST_F(PinPadCardReadTest, CardReadThroughTheAdapterIdentifiesTheCardholder) {
    root_.writeFile("C/Windows/PPSIM.INI",
                    "[Card]\r\nTrack1=6012345678901234=2812\r\nTrack2=0123\r\n");
    open().cmdConfirmaOper_Click();
    EXPECT_TRUE(dialogs_.messages().empty()) << shown();
    EXPECT_EQ(session_.cartao.numero, QString::fromUtf8("6012345678901234=2812Ç0123:"));
    EXPECT_TRUE(form_->findChild<QPushButton*>(QStringLiteral("BtnPreVenda"))->isEnabled());
    const std::string calls = root_.readFile("C/Windows/PPSIM.LOG").value_or("");
    EXPECT_NE(calls.find("PP_iGetCard|size=62"), std::string::npos) << calls;
    EXPECT_EQ(calls.substr(calls.size() - 10), "PP_iClose\n");
}

TEST_F(PinPadCardReadTest, ReadAbortedFromAnotherProcessReturnsToTheNeutralState) {
    root_.writeFile("C/Windows/PPSIM.INI", "[Card]\r\nInsertAfterMs=20000\r\n");
    const pid_t other = ::fork();
    if (other == 0) {
        // Once the read waits for the card: set earlier, the read clears it.
        const bool waiting = vtx::test::eventually([&] {
            return root_.readFile("C/Windows/PPSIM.LOG").value_or("").find("PP_iGetCard|") !=
                   std::string::npos;
        });
        ::_exit(waiting && platform::NamedEvent("VX32_PIN").set() ? 0 : 1);
    }
    const auto t0 = std::chrono::steady_clock::now();
    open().cmdConfirmaOper_Click();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 15s);  // the card would come at 20 s
    int status = -1;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    EXPECT_TRUE(dialogs_.messages().empty()) << shown();  // -4: no message
    EXPECT_TRUE(session_.cartao.numero.isEmpty());
    EXPECT_FALSE(form_->findChild<QPushButton*>(QStringLiteral("cmdConfirmaOper"))->isHidden());
}

}  // namespace
}  // namespace vtx::client::test

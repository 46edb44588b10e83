#include "vtx/platform/DialUp.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <optional>

#include "TestRoot.h"
#include "vtx/platform/IniFile.h"

namespace vtx::platform {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// ---- simulated modem ----

class SimulatedDialUpTest : public ::testing::Test {
protected:
    void script(std::string_view content) {
        root_.writeFile("modem.ini", "[Modem]\r\n" + std::string(content));
    }
    long calls(std::string_view name) { return iniGetInt(file_, "Calls", name, 0); }

    test::TempRoot root_;
    std::string file_ = root_.native("modem.ini");
    std::unique_ptr<DialUp> modem_ = makeSimulatedDialUp(file_);
};

TEST_F(SimulatedDialUpTest, DialResultsFollowTheScriptAttemptByAttemptAndTheLastRepeats) {
    script("Entries=Provedor, Reserva\r\nDial=678,676\r\n");
    DialUpConnection c;
    EXPECT_EQ(modem_->dial("Provedor", c), 678);
    EXPECT_EQ(c.handle, "Provedor");  // a failed dial still leaves a connection to hang up
    EXPECT_EQ(modem_->dial("Provedor", c), 676);
    EXPECT_EQ(modem_->dial("Provedor", c), 676);
    EXPECT_EQ(calls("Dial"), 3);
    std::vector<DialUpConnection> up;
    EXPECT_EQ(modem_->listConnections(up), kDialUpOk);
    EXPECT_TRUE(up.empty());

    iniWriteString(file_, "Modem", "Dial", "");  // the script may change between calls
    EXPECT_EQ(modem_->dial("Reserva", c), kDialUpOk);
    EXPECT_EQ(modem_->listConnections(up), kDialUpOk);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].entry, "Reserva");
    DialUpStatus st;
    EXPECT_EQ(modem_->status(c, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Connected);

    EXPECT_EQ(modem_->hangUp(c), kDialUpOk);
    EXPECT_EQ(modem_->listConnections(up), kDialUpOk);
    EXPECT_TRUE(up.empty());
    EXPECT_EQ(modem_->status(c, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Disconnected);
    EXPECT_EQ(calls("HangUp"), 1);
}

TEST_F(SimulatedDialUpTest, EntriesAndScriptedErrors) {
    script(
        "Entries=Provedor\r\nListEntriesError=603\r\nListConnectionsError=615\r\n"
        "StatusError=6\r\nHangUpError=668\r\nServiceError=711\r\n");
    std::vector<std::string> names;
    EXPECT_EQ(modem_->listEntries(names), kDialUpListTooSmall);
    EXPECT_EQ(names, std::vector<std::string>{"Provedor"});
    std::vector<DialUpConnection> up;
    EXPECT_EQ(modem_->listConnections(up), 615);
    DialUpStatus st;
    EXPECT_EQ(modem_->status({"Provedor", "Provedor"}, st), 6);
    EXPECT_EQ(modem_->hangUp({"Provedor", "Provedor"}), 668);
    EXPECT_EQ(modem_->serviceCheck(), kDialUpNoService);
    EXPECT_EQ(modem_->checkEntry("provedor"), kDialUpOk);
    EXPECT_EQ(modem_->checkEntry("Outro"), kDialUpEntryNotFound);
    DialUpConnection c;
    EXPECT_EQ(modem_->dial("Outro", c), kDialUpEntryNotFound);

    script("Entries=Provedor\r\nConnection=Provedor\r\nState=Disconnected\r\nStateError=629\r\n");
    EXPECT_EQ(modem_->status({"Provedor", "Provedor"}, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Disconnected);
    EXPECT_EQ(st.error, 629);
}

// ---- nmcli through a fake nmcli first on PATH ----

// Writes an executable "nmcli" shell script into a folder of the test root
// and puts that folder first on PATH. The script logs each call's arguments
// as "[arg][arg]..." lines to calls.log before running `body`.
class FakeNmcli {
public:
    FakeNmcli(const test::TempRoot& root, std::string_view body)
        : root_(root),
          oldPath_(getenv("PATH") ? std::optional<std::string>(getenv("PATH")) : std::nullopt) {
        std::string dir = root.native("fakebin");
        root.writeFile("fakebin/nmcli",
                       "#!/bin/sh\n"
                       "for a in \"$@\"; do printf '[%s]' \"$a\"; done >> '" +
                           dir +
                           "/calls.log'\n"
                           "echo >> '" +
                           dir + "/calls.log'\n" + std::string(body) + "\n");
        ::chmod((dir + "/nmcli").c_str(), 0755);
        ::setenv("PATH", (dir + ":" + oldPath_.value_or("/usr/bin:/bin")).c_str(), 1);
    }
    ~FakeNmcli() {
        if (oldPath_) {
            ::setenv("PATH", oldPath_->c_str(), 1);
        } else {
            ::unsetenv("PATH");
        }
    }
    std::string calls() const { return root_.readFile("fakebin/calls.log").value_or(""); }

private:
    const test::TempRoot& root_;
    std::optional<std::string> oldPath_;
};

// Answers like NetworkManager with one modem profile "Oi: Discado" (a name
// with a blank and a colon) up, a wired and a loopback profile beside it.
constexpr std::string_view kNetworkManager = R"(case "$*" in
  "-t -f RUNNING general") echo running ;;
  "-t -f NAME,TYPE connection show")
    echo 'Oi\: Discado:gsm'; echo 'Cabo:802-3-ethernet'; echo 'lo:loopback'; echo 'Tunel:vpn' ;;
  "-t -f NAME,UUID,TYPE connection show --active")
    echo 'Oi\: Discado:1111-22:gsm'; echo 'Cabo:3333-44:802-3-ethernet' ;;
  "-g connection.id connection show id Oi: Discado") echo 'Oi: Discado' ;;
  "-g connection.id connection show id "*) echo 'Error: no such connection profile.' >&2; exit 10 ;;
  "--wait 7 connection up id Oi: Discado") echo 'Connection successfully activated' ;;
  "-g GENERAL.STATE connection show uuid 1111-22") echo "${FAKE_STATE-activated}" ;;
  "connection down uuid 1111-22") echo 'Connection successfully deactivated' ;;
  *) echo "Error: unexpected $*" >&2; exit 2 ;;
esac)";

class NmcliDialUpTest : public ::testing::Test {
protected:
    std::unique_ptr<DialUp> nmcli(milliseconds commandWait = milliseconds(30000)) {
        NmcliOptions o;
        o.dialWait = std::chrono::seconds(7);
        o.commandWait = commandWait;
        return makeNmcliDialUp(o);
    }

    test::TempRoot root_;
};

TEST_F(NmcliDialUpTest, RunsTerseCommandsAndKeepsOnlyDialUpProfiles) {
    FakeNmcli fake(root_, kNetworkManager);
    auto dialUp = nmcli();
    EXPECT_EQ(dialUp->serviceCheck(), kDialUpOk);

    std::vector<std::string> names;
    ASSERT_EQ(dialUp->listEntries(names), kDialUpOk);
    EXPECT_EQ(names, (std::vector<std::string>{"Oi: Discado", "Tunel"}));

    std::vector<DialUpConnection> up;
    ASSERT_EQ(dialUp->listConnections(up), kDialUpOk);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(up[0].entry, "Oi: Discado");
    EXPECT_EQ(up[0].handle, "1111-22");

    EXPECT_EQ(dialUp->checkEntry("Oi: Discado"), kDialUpOk);
    EXPECT_EQ(dialUp->checkEntry("Nenhum"), kDialUpEntryNotFound);

    DialUpConnection c;
    ASSERT_EQ(dialUp->dial("Oi: Discado", c), kDialUpOk);
    EXPECT_EQ(c.handle, "1111-22");  // found among the active connections
    DialUpStatus st;
    ASSERT_EQ(dialUp->status(c, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Connected);
    EXPECT_EQ(dialUp->hangUp(c), kDialUpOk);

    EXPECT_EQ(fake.calls(),
              "[-t][-f][RUNNING][general]\n"
              "[-t][-f][NAME,TYPE][connection][show]\n"
              "[-t][-f][NAME,UUID,TYPE][connection][show][--active]\n"
              "[-g][connection.id][connection][show][id][Oi: Discado]\n"
              "[-g][connection.id][connection][show][id][Nenhum]\n"
              "[--wait][7][connection][up][id][Oi: Discado]\n"
              "[-t][-f][NAME,UUID,TYPE][connection][show][--active]\n"
              "[-g][GENERAL.STATE][connection][show][uuid][1111-22]\n"
              "[connection][down][uuid][1111-22]\n");
}

TEST_F(NmcliDialUpTest, ConnectionStatesAndTheCLocale) {
    FakeNmcli fake(root_,
                   std::string("[ \"$LC_ALL\" = C ] || exit 1\n") + std::string(kNetworkManager));
    auto dialUp = nmcli();
    DialUpConnection c{"1111-22", "Oi: Discado"};
    DialUpStatus st;
    ::setenv("LC_ALL", "pt_BR.UTF-8", 1);
    ::setenv("FAKE_STATE", "activating", 1);
    EXPECT_EQ(dialUp->status(c, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Connecting);
    ::setenv("FAKE_STATE", "", 1);  // not active: no GENERAL.STATE
    EXPECT_EQ(dialUp->status(c, st), kDialUpOk);
    EXPECT_EQ(st.state, DialUpState::Disconnected);
    EXPECT_EQ(st.error, kDialUpDisconnected);
    ::unsetenv("FAKE_STATE");
    ::unsetenv("LC_ALL");
}

TEST_F(NmcliDialUpTest, FailedDialsGiveTheirDialUpErrorNumbers) {
    FakeNmcli fake(root_, "echo \"$FAKE_MSG\" >&2; exit $FAKE_EXIT");
    auto dialUp = nmcli();
    struct Case {
        const char* exit;
        const char* message;
        int error;
    } cases[] = {
        {"4", "Error: Connection activation failed: The modem is busy.", kDialUpLineBusy},
        {"4", "Error: Connection activation failed: The modem has no dial tone", kDialUpNoDialTone},
        {"4", "Error: Connection activation failed: No carrier could be established",
         kDialUpNoCarrier},
        {"4", "Error: Connection activation failed: The dialing request timed out",
         kDialUpNoAnswer},
        {"4", "Error: Connection activation failed: Secrets were required, but not provided",
         kDialUpAuthFailed},
        {"4", "Error: Connection activation failed: The modem could not be found",
         kDialUpDeviceError},
        {"3", "Error: Timeout expired (7 seconds)", kDialUpNoAnswer},
        {"10", "Error: unknown connection 'X'.", kDialUpEntryNotFound},
        {"8", "Error: NetworkManager is not running.", kDialUpNoEntryStore},
        {"2", "Error: invalid arguments", kDialUpUnknownError},
    };
    for (const Case& c : cases) {
        ::setenv("FAKE_EXIT", c.exit, 1);
        ::setenv("FAKE_MSG", c.message, 1);
        DialUpConnection conn;
        EXPECT_EQ(dialUp->dial("Oi", conn), c.error) << c.message;
    }
    ::setenv("FAKE_EXIT", "8", 1);
    EXPECT_EQ(dialUp->serviceCheck(), kDialUpNoService);
    ::unsetenv("FAKE_EXIT");
    ::unsetenv("FAKE_MSG");
}

TEST_F(NmcliDialUpTest, MissingNmcliIsAnErrorNotAHang) {
    const char* old = getenv("PATH");
    std::string saved = old ? old : "";
    root_.writeFile("empty/.keep", "");
    ::setenv("PATH", root_.native("empty").c_str(), 1);
    auto dialUp = nmcli(milliseconds(60000));
    auto start = Clock::now();
    EXPECT_EQ(dialUp->serviceCheck(), kDialUpNoService);
    std::vector<DialUpConnection> up;
    EXPECT_EQ(dialUp->listConnections(up), kDialUpNoEntryStore);
    DialUpConnection c;
    EXPECT_EQ(dialUp->dial("Oi", c), kDialUpNoEntryStore);
    EXPECT_LT(Clock::now() - start, milliseconds(20000));  // not one minute a call
    ::setenv("PATH", saved.c_str(), 1);
}

TEST_F(NmcliDialUpTest, HungNmcliIsStoppedAtTheBound) {
    // The sleeper is in nmcli's process group and holds its output open.
    FakeNmcli fake(root_, "sleep 30 & sleep 30");
    auto dialUp = nmcli(milliseconds(300));
    auto start = Clock::now();
    std::vector<DialUpConnection> up;
    EXPECT_EQ(dialUp->listConnections(up), kDialUpNoAnswer);
    EXPECT_LT(Clock::now() - start, milliseconds(15000));  // not the sleepers' 30 s
}

TEST_F(NmcliDialUpTest, ProgramThatLeavesAHelperBehindStillReturns) {
    // Exits at once while a background child keeps its output open.
    FakeNmcli fake(root_, "echo running; sleep 30 &");
    auto dialUp = nmcli(milliseconds(25000));
    auto start = Clock::now();
    EXPECT_EQ(dialUp->serviceCheck(), kDialUpOk);
    // Neither the bound (25 s) nor the helper (30 s) is waited for.
    EXPECT_LT(Clock::now() - start, milliseconds(15000));
}

}  // namespace
}  // namespace vtx::platform

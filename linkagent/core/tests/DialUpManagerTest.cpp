#include "vtx/linkagent/DialUpManager.h"
#include "vtx/linkagent/testing/ServiceFakes.h"

#include <gtest/gtest.h>

#include <thread>

#include "TestRoot.h"
#include "vtx/platform/Cp1252.h"
#include "vtx/platform/IniFile.h"

namespace vtx::linkagent {
namespace {

constexpr const char* kDialUpInstall = "C:\\Vantrix";

using RecordingBoard = test::RecordingStatus;

// The station's CORE.INI names the simulated modem; each test scripts it.
class DialUpManagerTest : public ::testing::Test {
protected:
    void core(std::string_view dialUpKeys, std::string_view redial = "0") {
        root_.writeFile("C/Vantrix/CORE.INI",
                        "[DialUp]\r\nBackend=simulated\r\nSimulatedModem=modem.ini\r\n" +
                            std::string(dialUpKeys) +
                            "[CONFIG]\r\nQty_Redial=" + std::string(redial) + "\r\n");
    }
    void modem(std::string_view script) {
        root_.writeFile("C/Vantrix/modem.ini", "[Modem]\r\n" + std::string(script));
    }
    long calls(std::string_view name) const {
        return platform::iniGetInt(root_.native("C/Vantrix/modem.ini"), "Calls", name, 0);
    }
    std::unique_ptr<DialUpManager> manager() {
        DialUpSettings settings = readDialUpSettings(kDialUpInstall);
        DialUpHooks hooks;
        hooks.messageBox = [this](const std::string& title, const std::string& text) {
            std::lock_guard lock(mutex_);
            boxes_.push_back(platform::cp1252ToUtf8(title) + ": " + platform::cp1252ToUtf8(text));
        };
        hooks.closeProgram = [this] { ++closes_; };
        DialUpTiming timing;
        timing.hangUpWait = timing.statusDelay = timing.refreshInterval =
            std::chrono::milliseconds(0);
        timing.tick = [this] { return tick_.load(); };
        return std::make_unique<DialUpManager>(settings, openDialUpBackend(settings), board_, hooks,
                                               timing);
    }
    // Started and checked; fails the test when the start-up check fails.
    std::unique_ptr<DialUpManager> started() {
        auto m = manager();
        auto failure = m->checkStartup();
        EXPECT_FALSE(failure) << failure->text;
        return m;
    }
    std::string startupFailure() {
        auto failure = manager()->checkStartup();
        return failure ? platform::cp1252ToUtf8(failure->title + ": " + failure->text) : "none";
    }

    vtx::test::TempRoot root_;
    RecordingBoard board_;
    std::mutex mutex_;
    std::vector<std::string> boxes_;
    std::atomic<int> closes_{0};
    std::atomic<uint32_t> tick_{1000};
};

TEST_F(DialUpManagerTest, NotInUseMakesNoDialUpCall) {
    core("ActiveDialUp=N\r\nTime2HangUp=1\r\n", "3");
    modem("Entries=Provedor\r\nDial=678\r\n");
    auto m = manager();
    EXPECT_FALSE(m->checkStartup());
    EXPECT_TRUE(m->ensureConnection());
    EXPECT_FALSE(m->dialUpDown());
    m->refreshStatus();
    tick_ += 10000;
    EXPECT_FALSE(m->hangUpIfIdle());
    m->hangUp();
    auto sections = platform::iniSectionNames(root_.native("C/Vantrix/modem.ini"));
    EXPECT_EQ(sections, std::vector<std::string>{"Modem"});  // no [Calls]: never touched
    EXPECT_TRUE(board_.empty());
}

TEST_F(DialUpManagerTest, NoRedialMeansOneAttemptPerRequest) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n", "0");
    modem("Entries=Provedor\r\nDial=678\r\n");
    auto m = started();
    EXPECT_FALSE(m->ensureConnection());
    EXPECT_EQ(calls("Dial"), 1);
    EXPECT_EQ(calls("HangUp"), 1);  // the partial connection of the failed dial
    EXPECT_TRUE(m->dialUpDown());
    EXPECT_EQ(board_.last(StatusField::DialUpDetail), "(678) Sem resposta");
    EXPECT_EQ(board_.texts(StatusField::Connection),
              (std::vector<std::string>{"Discando", "Desconectado"}));
    EXPECT_FALSE(m->ensureConnection());
    EXPECT_EQ(calls("Dial"), 2);
    EXPECT_EQ(closes_, 0);
}

TEST_F(DialUpManagerTest, RedialsUpToQtyRedialMoreTimes) {
    core("ActiveDialUp=Y\r\nConnection=Provedor\r\n", "2");
    modem("Entries=Provedor\r\nDial=676,680,0\r\n");
    auto m = started();
    EXPECT_TRUE(m->ensureConnection());
    EXPECT_EQ(calls("Dial"), 3);
    EXPECT_TRUE(m->connected());
    EXPECT_FALSE(m->dialUpDown());
    EXPECT_EQ(board_.texts(StatusField::DialUpDetail),
              (std::vector<std::string>{"(676) Linha ocupada", "(680) Sem tom de discagem", ""}));
    EXPECT_EQ(board_.last(StatusField::Connection), "Conectado");
    EXPECT_TRUE(m->ensureConnection());  // up: no further dial
    EXPECT_EQ(calls("Dial"), 3);

    // Every attempt failing: 1 + Qty_Redial attempts, then failure.
    modem("Entries=Provedor\r\nDial=679\r\n");
    auto failing = started();
    EXPECT_FALSE(failing->ensureConnection());
    EXPECT_EQ(calls("Dial"), 3);
    // An ending program stops redialling after the attempt under way.
    failing->setEnding();
    EXPECT_FALSE(failing->ensureConnection());
    EXPECT_EQ(calls("Dial"), 4);
}

TEST_F(DialUpManagerTest, ExistingConnectionIsAdoptedWithoutDialling) {
    core("ActiveDialUp=S\r\n");
    modem("Entries=Provedor,Reserva\r\nConnection=Externa\r\n");
    auto m = started();
    EXPECT_EQ(m->entry(), "Provedor");  // no Connection key: the first entry
    EXPECT_TRUE(m->dialUpDown());
    EXPECT_TRUE(m->ensureConnection());
    EXPECT_EQ(calls("Dial"), 0);
    EXPECT_EQ(calls("CheckEntry"), 0);
    EXPECT_TRUE(m->connected());

    // The listener's refresh adopts one too, and sees it go.
    auto other = started();
    other->refreshStatus();
    EXPECT_TRUE(other->connected());
    EXPECT_EQ(board_.last(StatusField::Connection), "Conectado");
    platform::iniWriteString(root_.native("C/Vantrix/modem.ini"), "Modem", "Connection", "");
    other->refreshStatus();
    EXPECT_FALSE(other->connected());
    EXPECT_EQ(board_.last(StatusField::Connection), "Desconectado");
}

TEST_F(DialUpManagerTest, IdleHangUpAfterTime2HangUpSeconds) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\nTime2HangUp=30\r\n");
    modem("Entries=Provedor\r\n");
    auto m = started();
    ASSERT_TRUE(m->ensureConnection());
    tick_ += 29999;
    EXPECT_FALSE(m->hangUpIfIdle());
    m->touch();  // activity postpones it
    tick_ += 29999;
    EXPECT_FALSE(m->hangUpIfIdle());
    tick_ += 1;
    EXPECT_TRUE(m->hangUpIfIdle());
    EXPECT_EQ(calls("HangUp"), 1);
    EXPECT_FALSE(m->connected());
    EXPECT_EQ(
        platform::iniGetString(root_.native("C/Vantrix/modem.ini"), "Modem", "Connection", "?"),
        "");
    EXPECT_EQ(board_.texts(StatusField::DialUpDetail),
              (std::vector<std::string>{"", "Desconectando ...", ""}));
    EXPECT_EQ(board_.last(StatusField::Connection), "Desconectado");
    tick_ += 100000;
    EXPECT_FALSE(m->hangUpIfIdle());  // nothing left to hang up
    EXPECT_EQ(calls("HangUp"), 1);
}

TEST_F(DialUpManagerTest, AnExchangeInProgressIsNeverCutByTheIdleHangUp) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\nTime2HangUp=30\r\n");
    modem("Entries=Provedor\r\n");
    auto m = started();
    ASSERT_TRUE(m->ensureConnection());
    {
        ExchangeScope first(*m);
        ExchangeScope second(*m);
        tick_ += 120000;  // a slow host
        EXPECT_FALSE(m->hangUpIfIdle());
    }
    // The end of the exchange counts as activity.
    tick_ += 29999;
    EXPECT_FALSE(m->hangUpIfIdle());
    tick_ += 1;
    EXPECT_TRUE(m->hangUpIfIdle());
}

TEST_F(DialUpManagerTest, WithoutTime2HangUpTheLineStaysUp) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n");
    modem("Entries=Provedor\r\n");
    auto m = started();
    ASSERT_TRUE(m->ensureConnection());
    tick_ += 3600 * 1000;
    EXPECT_FALSE(m->hangUpIfIdle());
    m->hangUp();  // the operator's command still works
    EXPECT_EQ(calls("HangUp"), 1);
    EXPECT_TRUE(m->dialUpDown());
}

TEST_F(DialUpManagerTest, EachDialErrorRangeShowsItsText) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n");
    const std::pair<int, const char*> cases[] = {
        {599, "(599) Erro desconhecido."},
        {754, "(754) Erro desconhecido."},
        {600, ""},
        {612, "(612) Erro na dicagem"},
        {629, "(629) Erro no provedor"},
        {720, "(720) Erro de rede"},
        {649, "(649) Erro de Senha"},
        {676, "(676) Linha ocupada"},
        {678, "(678) Sem resposta"},
        {679, "(679) Erro de portadora"},
        {680, "(680) Sem tom de discagem"},
        {651, "(651) Falha no Modem"},
    };
    for (const auto& [code, text] : cases) {
        modem("Entries=Provedor\r\nDial=" + std::to_string(code) + "\r\n");
        auto m = started();
        EXPECT_FALSE(m->ensureConnection());
        EXPECT_EQ(board_.last(StatusField::DialUpDetail), text) << code;
        board_.show(StatusField::DialUpDetail, "<reset>");
    }
    // The password errors are also shown in a message box.
    EXPECT_EQ(boxes_, std::vector<std::string>{"Erro na Conexão: (649) Erro de Senha"});
    EXPECT_EQ(closes_, 0);
}

TEST_F(DialUpManagerTest, ALineThatIsNotUpAfterDiallingIsAFailure) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n", "1");
    modem("Entries=Provedor\r\nState=Disconnected\r\nStateError=629\r\n");
    auto m = started();
    EXPECT_FALSE(m->ensureConnection());
    EXPECT_EQ(calls("Dial"), 2);
    EXPECT_EQ(board_.last(StatusField::DialUpDetail), "(629) Erro no provedor");
    EXPECT_EQ(board_.last(StatusField::Connection), "Desconectado");
    EXPECT_TRUE(m->dialUpDown());
}

TEST_F(DialUpManagerTest, StartupChecks) {
    core("ActiveDialUp=S\r\n");
    modem("ServiceError=711\r\n");
    EXPECT_EQ(startupFailure(),
              "Erro de DialUp: O serviço do Windows DialUp não foi encontrado no sistema");
    modem("ListEntriesError=5\r\n");
    EXPECT_EQ(startupFailure(), "Erro de DialUp: Erro ao pegar as configurações de DialUp");
    modem("");
    EXPECT_EQ(startupFailure(),
              "Erro de DialUp: Não existem conexões DialUp configuradas no sistema.");
    modem("Entries=Primeira,Segunda\r\nListEntriesError=603\r\n");  // list too small: first entry
    auto m = manager();
    EXPECT_FALSE(m->checkStartup());
    EXPECT_EQ(m->entry(), "Primeira");

    core("ActiveDialUp=S\r\nConnection=Segunda\r\n");
    long listed = calls("ListEntries");
    m = manager();
    EXPECT_FALSE(m->checkStartup());
    EXPECT_EQ(m->entry(), "Segunda");
    EXPECT_EQ(calls("ListEntries"), listed);

    root_.writeFile("C/Vantrix/CORE.INI", "[DialUp]\r\nActiveDialUp=S\r\nBackend=modem-x\r\n");
    EXPECT_EQ(startupFailure(),
              "Erro de DialUp: O serviço do Windows DialUp não foi encontrado no sistema");
}

TEST_F(DialUpManagerTest, UnrecoverableFailuresCloseTheProgramWithoutRedial) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n", "3");
    modem("Entries=Provedor\r\nListConnectionsError=5\r\n");
    EXPECT_FALSE(started()->ensureConnection());
    EXPECT_EQ(calls("ListConnections"), 1);

    modem("Entries=Outra\r\n");
    EXPECT_FALSE(started()->ensureConnection());
    modem("Entries=Provedor\r\nCheckEntryError=621\r\n");
    EXPECT_FALSE(started()->ensureConnection());
    modem("Entries=Provedor\r\nCheckEntryError=7\r\n");
    EXPECT_FALSE(started()->ensureConnection());

    EXPECT_EQ(calls("Dial"), 0);
    EXPECT_EQ(boxes_, (std::vector<std::string>{
                          "DialUp Erro: Erro ao detectar conexão",
                          "Sem conexão default: O computador não está configurado para acesso a "
                          "internet, por favor configure-o e tente novamente.",
                          "Sem conexão default: Erro interno do sistema [621]",
                          "Sem conexão default: ",
                      }));
    EXPECT_EQ(closes_, 4);
}

TEST_F(DialUpManagerTest, ThreadsAskingAtOnceShareOneDial) {
    core("ActiveDialUp=S\r\nConnection=Provedor\r\n");
    modem("Entries=Provedor\r\nDialMillis=150\r\n");
    auto m = started();
    std::atomic<int> ok{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i) {
        threads.emplace_back([&] { ok += m->ensureConnection() ? 1 : 0; });
    }
    // The listener's refresh and a dialog's look at the flags meanwhile.
    threads.emplace_back([&] {
        for (int i = 0; i < 20; ++i) {
            m->refreshStatus();
            (void)m->dialling();
            (void)m->dialUpDown();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    for (auto& t : threads) t.join();
    EXPECT_EQ(ok, 6);
    EXPECT_EQ(calls("Dial"), 1);
    EXPECT_TRUE(m->connected());
}

}  // namespace
}  // namespace vtx::linkagent

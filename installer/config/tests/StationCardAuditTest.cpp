// The card-number audit of a whole station: a server-and-till station
// installed by InstallVtx --unattended, every trace and log on (SOCKET.BIN
// with the route fields, LinkAgent's log, the folder interface), sells
// through LinkAgent to vtx-hostsim over the shift cipher: a card typed (text
// form), a card read from the simulated PIN pad and sold by its track (ISO
// form), the track sent through the Req/Resp folders, the export file, the
// journal and the trace listed. Then every file below the root (the
// station, the Windows directory, the simulator's folder: each as it stood
// after every step) and everything each program printed is searched for the
// two card numbers in every readable form (CardLeakSearch.h): none may be
// there. Files holding card data or passwords must be closed to others.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "AgentProcess.h"
#include "CardLeakSearch.h"
#include "CommandRun.h"
#include "Eventually.h"
#include "HostSimProcess.h"
#include "TestRoot.h"

namespace vtx::audit {
namespace {

namespace fs = std::filesystem;
using vtx::linkagent::test::AgentProcess;
using vtx::tool::test::Outcome;

const std::string kBin = VTX_BIN_DIR;
// Test cards of the simulator's sample data (tools/hostsim/data/cards.ini).
const std::string kTypedCard = "6012345678901234";  // identification 123
const std::string kTrackCard = "6012345678905678";  // identifications 456 and 78
const std::string kTrack1 = kTrackCard + "=28121010000000000000";
const std::string kTrack2 = kTrackCard + "=2812101000000000";
// What the mask leaves of either card: their common first six digits.
const std::string kCardPrefix = "601234";

std::string fileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Every program started by the test runs with no umask, so a file is only
// as closed as its writer makes it.
class NoUmask {
public:
    NoUmask() : old_(::umask(0)) {}
    ~NoUmask() { ::umask(old_); }
    NoUmask(const NoUmask&) = delete;
    NoUmask& operator=(const NoUmask&) = delete;

private:
    mode_t old_;
};

// What the audit searches: each program's output, and each file below the
// root in every content it had at the end of a step.
class Captures {
public:
    Captures(std::string root, std::set<std::string> inputs)
        : root_(std::move(root)), inputs_(std::move(inputs)) {}

    void add(const std::string& label, const std::string& content) {
        items_.emplace_back(label, content);
    }

    // Runs a command line; its status and output (kept for the search).
    // The files are looked at once `settled` holds (at once without one).
    Outcome run(const std::string& label, const std::string& command,
                const std::function<bool()>& settled = {}) {
        Outcome outcome = vtx::tool::test::runCommand(command);
        add(label + " (output)", outcome.out);
        if (settled) {
            EXPECT_TRUE(vtx::test::eventually(settled)) << label << " did not settle";
        }
        snapshot(label);
        return outcome;
    }

    // Every regular file below the root now, unless it is one of the test's
    // own inputs or has not changed since the last look.
    void snapshot(const std::string& step) {
        // A file replaced by a rename may go between the listing and the read.
        std::error_code error;
        for (fs::recursive_directory_iterator it(root_, error), end; !error && it != end;
             it.increment(error)) {
            const fs::directory_entry& entry = *it;
            if (entry.is_symlink(error) || !entry.is_regular_file(error)) continue;
            const std::string path = entry.path().string();
            if (isInput(path)) continue;
            std::string content = fileContent(path);
            auto& last = files_[path];
            if (!last.empty() && last.back() == content) continue;
            last.push_back(content);
            add(path + " (after " + step + ")", content);
        }
    }

    bool isInput(const std::string& path) const {
        for (const std::string& input : inputs_)
            if (path == input || path.rfind(input + "/", 0) == 0) return true;
        return false;
    }

    const std::vector<std::pair<std::string, std::string>>& items() const { return items_; }

    // Whether a capture whose label contains `label` holds `text`.
    bool holds(const std::string& label, const std::string& text) const {
        for (const auto& [l, content] : items_)
            if (l.find(label) != std::string::npos && content.find(text) != std::string::npos)
                return true;
        return false;
    }

private:
    std::string root_;
    std::set<std::string> inputs_;
    std::vector<std::pair<std::string, std::string>> items_;
    std::map<std::string, std::vector<std::string>> files_;
};

// Whether no request is at work in the folder interface: a request file
// holds the card, as its point-of-sale program wrote it, until its answer
// is whole (".thr" taken, ".sts" at the host).
bool noRequestAtWork(const std::string& installDir) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(installDir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string extension = it->path().extension().string();
        if (extension == ".thr" || extension == ".sts") return false;
    }
    return true;
}

// The route lines of `vtx route show` with every operator on cipher mode 1.
std::string withShiftCipher(const std::string& lines) {
    std::istringstream in(lines);
    std::string out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '|');) fields.push_back(field);
        if (fields.size() < 9) continue;
        fields[8] = "1";
        std::string record;
        for (size_t i = 0; i < fields.size(); ++i) record += (i ? "|" : "") + fields[i];
        out += record + "|\n";
    }
    return out;
}

TEST(StationCardAudit, NoCardNumberIsReadableInAnyFileOrOutputOfAWholeSale) {
    NoUmask noUmask;
    vtx::test::TempRoot root;
    const int hostPort = vtx::hostsim::freeFourDigitPort();
    const int agentPort = vtx::hostsim::freeFourDigitPort();
    const int echoPort = vtx::hostsim::freeFourDigitPort();
    ASSERT_GT(hostPort, 0);
    ASSERT_GT(agentPort, 0);
    ASSERT_GT(echoPort, 0);
    const std::string inst = root.native("C/Vantrix");
    const std::string windows = root.native("C/Windows");
    const std::string inputs = root.native("inputs");
    const std::string hostDir = root.native("hostsim");
    // The test's own inputs hold the cards on purpose: the simulated PIN
    // pad's script (the card's magnetic stripe), the request files and the
    // host's configuration (the card it sends back).
    Captures captures(root.path(), {inputs, windows + "/PPSIM.INI", hostDir + "/hostsim.ini"});
    fs::create_directories(inputs);

    // The station, installed as the demo installs it, its host's port in the
    // answers; LinkAgent relays every request of the till.
    const fs::path medium = root.native("medium");
    fs::create_directories(medium);
    for (const char* name :
         {"LinkAgent", "VtxClient", "libVX32_CLI.so", "libVX32_PIN.so", "libppsim.so", "PinPad.ini",
          "VXIFCFG.BIN", "VXIFNAT.BIN", "VtxClient.ini"})
        fs::create_symlink(fs::path(kBin) / name, medium / name);
    root.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=1\r\n");
    std::string answers = fileContent(VTX_SOURCE_DIR "/installer/answers/servidor-estacao.ini");
    answers =
        std::regex_replace(answers, std::regex("PORTA=5002"), "PORTA=" + std::to_string(hostPort));
    root.writeFile("answers.ini", answers);
    Outcome step = captures.run("InstallVtx", kBin + "/InstallVtx --unattended '" +
                                                  root.native("answers.ini") + "' --medium '" +
                                                  medium.string() + "'");
    ASSERT_EQ(step.status, 0) << step.out;

    // Every trace and log on; the folder interface beside the listener.
    const std::string core = "'C:\\Vantrix\\CORE.INI'";
    for (const std::string& setting : std::vector<std::string>{
             "'TCPIP PORTS' ListenAddress 127.0.0.1",
             "'TCPIP PORTS' port2Listen " + std::to_string(agentPort),
             "LOCAL PORT " + std::to_string(agentPort), "LOCAL trace 1", "Config SOCKETBIN 1",
             "ShellFile LOGENABLE true", "ShellFile Pause_Next_File 0", "'TCPIP PORTS' Socket N"}) {
        step = captures.run("vtx ini set", kBin + "/vtx ini set " + core + " " + setting);
        ASSERT_EQ(step.status, 0) << setting << ": " << step.out;
    }
    // The host's leg on the shift cipher, keyed by the host's port; a second
    // network whose host sends the card back in its answer.
    step = captures.run("vtx route show", kBin + "/vtx route show");
    ASSERT_EQ(step.status, 0) << step.out;
    std::ofstream(inputs + "/routes.txt") << withShiftCipher(
        step.out + "ECHO0001|127.0.0.1|127.0.0.1|" + std::to_string(echoPort) + "|" +
        std::to_string(echoPort) + "|" + std::to_string(echoPort) + "|1|30|0|\n");
    step = captures.run("vtx route write", kBin + "/vtx route write < '" + inputs + "/routes.txt'");
    ASSERT_EQ(step.status, 0) << step.out;
    std::string operators;
    for (const char* network : {"Rede Demo           DEMO0001", "Rede Eco            ECHO0001"}) {
        char line[128];
        std::snprintf(line, sizeof line, "%s%s%-20s%-25s%-25s%-2s\r\n", network, "N0110", "CPF", "",
                      "", "00");
        operators += line;
    }
    root.writeFile("C/Vantrix/VXTb_Opr.txt", operators);
    root.writeFile("C/Vantrix/products.csv", "7890000000017;2;12,50;10,00;11,25;1\n");

    // The host: its log masked as a shop's is, its reports in the station.
    root.writeFile(
        "hostsim/hostsim.ini",
        "[host]\nPort=" + std::to_string(hostPort) +
            "\nFraming=plain\nCript=1\nOperator=DEMO0001\nAdministrator=DEMO0001\n"
            "[echo]\nPort=" +
            std::to_string(echoPort) +
            "\nFraming=plain\nCript=1\nReply=000-000=${CODE};009-000=00;012-000=${NSU};953-000=" +
            kTypedCard + ";030-000=CARTAO " + kTypedCard + ";028-000=01;029-000=TRILHA " + kTrack1 +
            ";\n");
    AgentProcess host({"--config", hostDir + "/hostsim.ini", "--log", hostDir + "/received.log",
                       "--data", VTX_HOSTSIM_SAMPLE_DATA, "--station-dir", inst},
                      {}, kBin + "/vtx-hostsim");
    ASSERT_TRUE(host.start());
    ASSERT_TRUE(host.waitForLine("READY")) << host.errors();

    step = captures.run("LinkAgent LOGIN", inst + "/LinkAgent LOGIN");
    ASSERT_EQ(step.status, 0) << step.out;
    AgentProcess agent({}, {}, inst + "/LinkAgent");
    ASSERT_TRUE(agent.start());
    ASSERT_TRUE(agent.waitForLine("READY")) << agent.errors();
    captures.snapshot("LinkAgent's start");

    // Every request of a transaction replaces the last one's trace: each one
    // is its own step, so the audit sees the trace of each.
    const auto sell = [&](const std::string& how, const std::string& card, const std::string& ids,
                          const std::string& document) {
        Outcome outcome = captures.run("vtx eleg" + how, kBin + "/vtx eleg" + how + " --card '" +
                                                             card + "' " + ids + " --sale");
        EXPECT_EQ(outcome.status, 0) << outcome.out;
        outcome = captures.run("vtx sale" + how, kBin + "/vtx sale" + how + " --card '" + card +
                                                     "' " + ids + " --document " + document +
                                                     " --products 'C:\\Vantrix\\products.csv'");
        EXPECT_EQ(outcome.status, 0) << outcome.out;
        std::smatch nsu;
        if (!std::regex_search(outcome.out, nsu, std::regex("NSU: (\\d+)"))) {
            ADD_FAILURE() << outcome.out;
            return;
        }
        EXPECT_TRUE(
            fs::exists(inst + "/EXPORT/" + std::to_string(std::stoi(nsu[1].str())) + ".TRC"))
            << outcome.out;
        outcome = captures.run("vtx confirm" + how,
                               kBin + "/vtx confirm" + how + " --nsu " + nsu[1].str());
        EXPECT_EQ(outcome.status, 0) << outcome.out;
    };

    // 1. A typed card, text form, through LinkAgent, confirmed, exported.
    sell("", kTypedCard, "--id1 123", "123456");
    // LinkAgent's console may show its last lines a moment after the reply.
    EXPECT_TRUE(vtx::test::eventually([&] { return agent.count("message: Mensagem recebida") >= 3; }))
        << agent.count("message: Mensagem recebida");

    // 2. A card read from the PIN pad, sold by its track in the ISO form.
    root.writeFile("C/Windows/PPSIM.INI", "[Card]\r\nTrack1=" + kTrack1 + "\r\nTrack2=" + kTrack2 +
                                              "\r\n[Record]\r\nFile=PPSIM.LOG\r\n");
    step = captures.run("vtx pinpad read", kBin + "/vtx pinpad read");
    ASSERT_EQ(step.status, 0) << step.out;
    EXPECT_NE(step.out.find("track: " + kCardPrefix), std::string::npos) << step.out;
    sell(" --iso", kTrack1, "--id1 456 --id2 78", "654321");

    // 3. The track through the folder interface; its answer kept.
    std::ofstream(inputs + "/PDV1.txt", std::ios::binary)
        << "040-000=DEMO0001\r\n000-000=0200\r\n953-000=" << kTrack1
        << "\r\n949-000=456\r\n999-999\r\n";
    step = captures.run(
        "vtx request",
        kBin + "/vtx request --keep --timeout 60 --name PDV1 '" + inputs + "/PDV1.txt'",
        [&] { return noRequestAtWork(inst); });
    ASSERT_EQ(step.status, 0) << step.out;
    EXPECT_NE(step.out.find("009-000 = 00"), std::string::npos) << step.out;

    // 4. A host that sends the cards back: in a transaction's answer, in
    // the library's reply, and in an answer file.
    step = captures.run("vtx eleg --admin 'Rede Eco'",
                        kBin + "/vtx eleg --admin 'Rede Eco' --card " + kTypedCard + " --id1 123");
    EXPECT_EQ(step.status, 0) << step.out;
    EXPECT_NE(step.out.find("CARTAO " + kCardPrefix), std::string::npos) << step.out;
    step = captures.run("vtx send",
                        kBin + "/vtx send ECHO0001 CHK '000-000=0100;953-000=" + kTypedCard + ";'");
    EXPECT_EQ(step.status, 0) << step.out;
    std::ofstream(inputs + "/ECO1.txt", std::ios::binary)
        << "040-000=ECHO0001\r\n000-000=0100\r\n953-000=" << kTrack1 << "\r\n999-999\r\n";
    step = captures.run(
        "vtx request ECHO0001",
        kBin + "/vtx request --keep --timeout 60 --name ECO1 '" + inputs + "/ECO1.txt'",
        [&] { return noRequestAtWork(inst); });
    EXPECT_EQ(step.status, 0) << step.out;
    EXPECT_NE(step.out.find("953-000 = " + kCardPrefix), std::string::npos) << step.out;
    EXPECT_TRUE(captures.holds("/ECO1.001", "029-000 = TRILHA " + kCardPrefix));

    // 5. What a support person looks at.
    for (const char* command : {"trace", "journal list --all"})
        captures.run(std::string("vtx ") + command, kBin + "/vtx " + command);

    EXPECT_EQ(agent.stop(SIGTERM), 0);
    EXPECT_EQ(host.stop(SIGTERM), 0);
    captures.snapshot("the end");
    for (AgentProcess* program : {&agent, &host}) {
        const std::string name = program == &agent ? "LinkAgent" : "vtx-hostsim";
        std::string out;
        for (const std::string& l : program->output()) out += l + "\n";
        captures.add(name + " (standard output)", out);
        captures.add(name + " (standard error)", program->errors());
    }

    // The cards went where the audit looks, masked.
    EXPECT_TRUE(captures.holds("SOCKET.BIN", kCardPrefix + "******1234"));
    EXPECT_TRUE(captures.holds("SOCKET.BIN", "Envio Msg Cript"));
    EXPECT_TRUE(captures.holds("received.log", kCardPrefix + "******5678"));
    EXPECT_TRUE(captures.holds("/LOG/SHELLFILE", kCardPrefix));
    EXPECT_TRUE(captures.holds("VtxClient.jnl", kCardPrefix + "******1234"));

    const CardLeakSearch search({kTypedCard, kTrackCard});
    std::vector<std::string> leaks;
    for (const auto& [label, content] : captures.items())
        for (const CardLeak& leak : search.findIn(content))
            leaks.push_back(label + ": " + leak.describe());
    std::string report;
    for (size_t i = 0; i < leaks.size() && i < 40; ++i) report += "\n  " + leaks[i];
    EXPECT_TRUE(leaks.empty()) << leaks.size() << " readable card numbers:" << report;

    // Card data and passwords (the managers' UP.Sxx, the route files with
    // the master key) are the installation's user's only.
    int closed = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root.path())) {
        if (!entry.is_regular_file() || entry.is_symlink() ||
            captures.isInput(entry.path().string()))
            continue;
        const std::string name = entry.path().filename().string();
        const bool secret =
            name.rfind("UP.S", 0) == 0 || std::regex_match(name, std::regex("VXIF...\\.BIN"));
        if (!secret && fileContent(entry.path()).find(kCardPrefix) == std::string::npos) continue;
        const auto perms = static_cast<unsigned>(entry.status().permissions());
        EXPECT_EQ(perms & 07u, 0u) << entry.path() << " is open to others: " << std::oct << perms;
        ++closed;
    }
    // SOCKET.BIN, LinkAgent's logs, the journal, the simulator's log and
    // reports, UP.Sxx, the route files at least.
    EXPECT_GE(closed, 10);
}

}  // namespace
}  // namespace vtx::audit

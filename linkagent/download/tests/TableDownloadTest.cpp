// The table download against a real FTP server (pyftpdlib) on loopback:
// what is fetched, checked, stored and archived, and how bad input, a
// refusing server, a wrong password and dead servers end.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "FtpServerProcess.h"
#include "TestRoot.h"
#include "vtx/linkagent/download/TableDownload.h"
#include "vtx/linkagent/testing/ServiceFakes.h"
#include "vtx/platform/Crc32.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::test {
namespace {

using namespace std::chrono_literals;

class TableDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\n");
        root_.writeFile("ftp/.keep", "");
    }

    void startServer(const std::string& refuse = {}) {
        server_ = std::make_unique<FtpServerProcess>(root_.native("ftp"), refuse);
        ASSERT_TRUE(server_->start()) << "the FTP server did not start";
        configure(server_->port(), FtpServerProcess::kPassword);
    }
    void configure(int port, const std::string& password, bool passive = true) const {
        platform::iniWrite(core(), {{"CONFIG", "_TSTPRM_FTPSERVER", "127.0.0.1"},
                                    {"CONFIG", "PORT", std::to_string(port)},
                                    {"CONFIG", "PASSIVE MODE", passive ? "S" : "N"},
                                    {"CONFIG", "ESTAB_CODE", FtpServerProcess::kUser},
                                    {"CONFIG", "PWD", password}});
    }
    std::string core() const { return root_.native("C/Vantrix/CORE.INI"); }

    // Runs one download to its end.
    void run(DownloadLimits limits = {}) {
        TableDownload d(logger_, guard_, status_, "C:\\Vantrix", core(), limits);
        ASSERT_TRUE(d.start());
        d.wait();
    }
    bool logged(const std::string& text) const { return logger_.has(text); }
    int exceptions() const {
        int n = 0;
        for (const auto& l : logger_.lines()) n += l.rfind("FTP Exception [", 0) == 0 ? 1 : 0;
        return n;
    }
    std::string log() const {
        std::string t;
        for (const auto& l : logger_.lines()) t += l + "\n";
        return t;
    }
    std::optional<std::string> local(const std::string& name) const {
        return root_.readFile("C/Vantrix/" + name);
    }
    std::optional<std::string> remote(const std::string& name) const {
        return root_.readFile("ftp/" + name);
    }
    void list(const std::string& entries, int count) const {
        root_.writeFile("ftp/ATCARQ.BIN",
                        "[LIST]\r\nCount=" + std::to_string(count) + "\r\n" + entries);
    }

    vtx::test::TempRoot root_;
    RecordingLogger logger_;
    RecordingStatus status_;
    FakeGuard guard_;
    std::unique_ptr<FtpServerProcess> server_;
};

std::string allBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
    return s + "\r\n\r\n\n\r";
}

TEST_F(TableDownloadTest, RouteFileFetchedArchivedAndByteExactPassiveAndActive) {
    for (bool passive : {true, false}) {
        SCOPED_TRACE(passive ? "passive" : "active");
        root_.writeFile("ftp/VXIFCLI.BIN", allBytes());
        root_.writeFile("C/Vantrix/VXIFCLI.BIN", "old routes");
        if (!server_) startServer();
        configure(server_->port(), FtpServerProcess::kPassword, passive);
        run();
        EXPECT_EQ(local("VXIFCLI.BIN"), allBytes()) << log();
        EXPECT_EQ(local("VXIFCLI.BIN.OLD"), "old routes");
        EXPECT_FALSE(remote("VXIFCLI.BIN"));
        EXPECT_EQ(remote("VXIFCLI.BIN.OLD"), allBytes());
        EXPECT_TRUE(logged("Arquivo [C:\\Vantrix\\VXIFCLI.BIN] gravado com sucesso.")) << log();
        EXPECT_TRUE(logged("Iniciando FTP"));
        EXPECT_TRUE(logged("FTP Encerrado"));
        EXPECT_EQ(status_.texts(StatusField::Ftp).front(), "Iniciando Transf. de Arquivos");
        EXPECT_EQ(status_.last(StatusField::Ftp), "");
        // No list file on the server: only the route file changed.
        EXPECT_FALSE(local("ATCARQ.BIN"));
    }
}

TEST_F(TableDownloadTest, ListedEntriesPatternsSubfoldersChecksAndTheListArchived) {
    const std::string good = "GOOD CONTENT\r\n";
    const std::string crc = platform::crcText(platform::crc32Mpeg2(good));
    root_.writeFile("ftp/PROD1.TXT", "p1");
    root_.writeFile("ftp/prod2.txt", "p2");
    root_.writeFile("ftp/OTHER.TXT", "o");
    root_.writeFile("ftp/GOOD.BIN", good);
    root_.writeFile("ftp/BADSIZE.BIN", good);
    root_.writeFile("ftp/LOWER.BIN", good);
    root_.writeFile("C/Vantrix/BADSIZE.BIN", "kept");
    root_.writeFile("C/Vantrix/LOWER.BIN", "kept");
    std::string lower = crc;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    list("0001=PROD?.TXT;0;;TAB\\NEW\r\n"
         "0002=GOOD.BIN;" + std::to_string(good.size()) + ";" + crc + ";\r\n"
         "0003=BADSIZE.BIN;3;;\r\n"
         "0004=LOWER.BIN;0;" + lower + ";\r\n"
         "0005=../ESCAPE.BIN;0;;\r\n"
         "0006=X.BIN;0;;../..\r\n"
         "0007=X.BIN;-4;;\r\n"
         "0008=X.BIN;0;1234567;\r\n",
         10);
    startServer();
    run();
    const std::string l = log();
    EXPECT_EQ(root_.readFile("C/Vantrix/TAB/NEW/PROD1.TXT"), "p1") << l;
    EXPECT_EQ(root_.readFile("C/Vantrix/TAB/NEW/prod2.txt"), "p2");
    EXPECT_FALSE(local("OTHER.TXT"));
    EXPECT_EQ(remote("PROD1.TXT.OLD"), "p1");
    EXPECT_EQ(local("GOOD.BIN"), good);
    EXPECT_EQ(remote("GOOD.BIN.OLD"), good);
    // Mismatches leave both copies as they were, and say why.
    EXPECT_EQ(local("BADSIZE.BIN"), "kept");
    EXPECT_EQ(remote("BADSIZE.BIN"), good);
    EXPECT_TRUE(logged("Tamanho incorreto aguardando [3] recebido [14]")) << l;
    EXPECT_EQ(local("LOWER.BIN"), "kept");
    EXPECT_EQ(remote("LOWER.BIN"), good);
    EXPECT_TRUE(logged("CRC Incorreto aguardando [" + lower + "] recebido [" + crc + "]")) << l;
    // Bad entries refused, nothing outside the installation.
    EXPECT_TRUE(logged("Entrada [0005] de ATCARQ.BIN recusada: nome [../ESCAPE.BIN] invalido"));
    EXPECT_TRUE(logged("Entrada [0006] de ATCARQ.BIN recusada: pasta [../..] fora da instalacao"));
    EXPECT_TRUE(logged("Entrada [0007] de ATCARQ.BIN recusada: tamanho [-4] invalido"));
    EXPECT_TRUE(logged("Entrada [0008] de ATCARQ.BIN recusada: CRC [1234567] invalido"));
    EXPECT_TRUE(logged("Entrada [0009] de ATCARQ.BIN recusada: ausente"));
    EXPECT_TRUE(logged("Entrada [0010] de ATCARQ.BIN recusada: ausente"));
    EXPECT_FALSE(root_.readFile("X.BIN"));
    EXPECT_FALSE(root_.readFile("C/X.BIN"));
    // The list fetched again, archived, and deleted here.
    EXPECT_FALSE(local("ATCARQ.BIN"));
    EXPECT_FALSE(remote("ATCARQ.BIN"));
    EXPECT_TRUE(remote("ATCARQ.BIN.OLD"));
    EXPECT_TRUE(logged("FTP Encerrado"));
}

TEST_F(TableDownloadTest, AFileListedButRefusedKeepsTheLocalCopyAndNoTemporary) {
    root_.writeFile("ftp/VXIFCLI.BIN", "new routes");
    root_.writeFile("C/Vantrix/VXIFCLI.BIN", "old routes");
    startServer("VXIFCLI.BIN");
    run();
    EXPECT_EQ(local("VXIFCLI.BIN"), "old routes");
    EXPECT_EQ(remote("VXIFCLI.BIN"), "new routes");
    EXPECT_TRUE(logged("Arquivo [VXIFCLI.BIN] recusado pelo servidor; copia local mantida")) << log();
    EXPECT_EQ(platform::findFiles(root_.native("C/Vantrix"), ".*"), std::vector<std::string>{});
}

TEST_F(TableDownloadTest, WrongPasswordAndDeadServersEndWithTheirLogLine) {
    startServer();
    configure(server_->port(), "wrong");
    run();
    const int afterPassword = exceptions();
    EXPECT_GT(afterPassword, 0) << log();
    EXPECT_TRUE(logged("FTP Encerrado"));

    // A closed port.
    const int closed = server_->port();
    server_.reset();
    configure(closed, FtpServerProcess::kPassword);
    run();
    EXPECT_GT(exceptions(), afterPassword) << log();

    // A server that accepts and never says a word: ended by the time-outs.
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(s, 8), 0);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    configure(ntohs(a.sin_port), FtpServerProcess::kPassword);
    DownloadLimits quick;
    quick.connectTimeout = 1s;
    quick.responseTimeout = 1s;
    const auto started = std::chrono::steady_clock::now();
    run(quick);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
    EXPECT_NE(log().find("FTP Exception [server response timeout]"), std::string::npos) << log();
    EXPECT_TRUE(logged("FTP Encerrado"));
    ::close(s);
}

TEST_F(TableDownloadTest, SecondStartWhileRunningIsRefusedAndNoConnectionEnds) {
    guard_.connected = false;
    run();
    EXPECT_TRUE(logged("Nao existe conexao para realizar FTP"));
    EXPECT_FALSE(logged("Iniciando FTP"));
}

}  // namespace
}  // namespace vtx::linkagent::test

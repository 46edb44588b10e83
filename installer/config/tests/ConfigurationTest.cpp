// The configuration step on a private station: for each installation kind
// and access mode the files it writes, key by key; what a reinstall keeps;
// and bad media and answers refused with nothing of the station changed.
#include "vtx/installer/Configuration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ShiftCipher.h"
#include "TestRoot.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/platform/IniFile.h"

namespace vtx::install {
namespace {

namespace fs = std::filesystem;

std::string plainRecord(const std::string& code) {
    std::string r = code;
    r.resize(8, ' ');
    std::string ip = "0.0.0.0";
    ip.resize(30, ' ');
    r += ip + ip + "5002" "5004" "5002" "1" "05" "1" + std::string(19, 'K') + "Z";
    return r;
}

std::string enciphered(std::string plain) {
    wire::shiftEncipher(plain.data(), plain.size(), wire::kRouteFileKey);
    return plain;
}

class ConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override {
        medium_ = root_.native("medium");
        for (const std::string& program : requiredPrograms()) medium("" + program, "#!/bin/sh\n");
        medium("libppsim.so", "vendor library");
        medium("PinPad.ini",
               "[PINPAD]\r\n0001=PPSIM\r\n0002=PINSIM\r\n"
               "[1PPSIM]\r\nSigla=PPSIM\r\nDLL=ppsim.dll\r\n"
               "[0PINSIM]\r\nSigla=PINSIM\r\nDLL=ppsim.dll\r\nChave_com=Config\r\nDLLTYPE=0\r\n");
        medium("VXIFCFG.BIN", enciphered(plainRecord("DEMO0001")));
        medium("VXIFNAT.BIN", enciphered(plainRecord("DEMO0001") + plainRecord("REDE0002")));
        medium("VtxClient.ini", "[DADOS_GERAIS]\r\nTipoLog=M\r\n[FormComplementar]\r\nlblUsuario=Y0000Usu\xE1rio:\r\n");
        answers_.server.tipo = "1";
        answers_.server.modo = "1";
        answers_.server.ipAddress = "127.0.0.1";
        answers_.server.ftpMode = "S";
        answers_.server.fileAux = "C:\\Vantrix\\EXPORT";
        answers_.ipLocal.tcpip = "10.1.2.3";
        answers_.ipLocal.porta = "5102";
        answers_.estab.cnpj = "012345678000190";
        answers_.estab.fantasia = "Farm\xE1" "cia Demo";
        answers_.pinpad.aplicType = "1";
        answers_.pinpad.modeloPin = "1";
        answers_.pinpad.serialPort = "2";
        answers_.pinpad.leitorType = "1";
    }

    void medium(const std::string& name, const std::string& content) {
        root_.writeFile("medium/" + name, content);
    }

    ConfigurationPlan plan(const InstallDescription& d = {}, const PlanOptions& o = {}) {
        PlanResult planned = planConfiguration(answers_, d, medium_, o);
        EXPECT_TRUE(planned.plan) << planned.error;
        return planned.plan.value_or(ConfigurationPlan{});
    }

    void install(const InstallDescription& d = {}) {
        ConfigurationPlan p = plan(d);
        p.starts.clear();  // the programs of this test are no programs
        ApplyReport report = applyConfiguration(p);
        ASSERT_TRUE(report.ok) << report.error;
    }

    std::string core(const char* section, const char* key) const {
        return platform::iniGetString("C:\\Vantrix\\CORE.INI", section, key, "<none>");
    }
    std::string coreAt(const char* dir, const char* section, const char* key) const {
        return platform::iniGetString(std::string(dir) + "\\CORE.INI", section, key, "<none>");
    }

    vtx::test::TempRoot root_;
    std::string medium_;
    InstallAnswers answers_;
};

TEST_F(ConfigurationTest, ServerStationOnTheLocalLinkWritesEveryKey) {
    install();
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", ""), "C:\\Vantrix");
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Core", ""), "C:\\Vantrix");
    const std::pair<std::pair<const char*, const char*>, const char*> keys[] = {
        {{"CONFIG", "Estab_Code"}, "012345678000190"},
        {{"CONFIG", "PASSIVE MODE"}, "S"},
        {{"DialUP", "ActiveDialUp"}, "N"},
        {{"DialUP", "Connection"}, ""},
        {{"CONFIG", "IPLOCALTCP"}, "10.1.2.3"},
        {{"CONFIG", "IPLOCALPORTA"}, "5102"},
        {{"CONFIG", "IPNAT"}, "localhost"},
        {{"TCPIP PORTS", "port2Listen"}, "5002"},
        {{"TCPIP PORTS", "DATA TYPE"}, "N"},
        {{"TCPIP PORTS", "LEN SIZE"}, "4"},
        {{"CONFIG", "Cli_Connection"}, "N"},
        {{"CONFIG", "ACESS_TYPE"}, "2"},
        {{"LOCAL", "Address"}, "127.0.0.1"},
        {{"LOCAL", "PORT"}, "5002"},
        {{"PRODUTO", "FILENAME"}, ""},
        {{"PRODUTO", "TYPE_READ"}, "0"},
        {{"CONFIG", "FILEAUX"}, "C:\\Vantrix\\EXPORT"},
        {{"CONFIG", "LayoutArquivo"}, "1"},
        {{"CONFIG", "DRIVE_SERVER"}, "C:"},
        {{"CONFIG", "DRIVE_ESTACAO"}, "C:"},
        {{"CONFIG", "IPSERVER"}, "127.0.0.1"},
        {{"CONFIG", "MODOACESSO"}, "1"},
        {{"CONFIG", "Aplic_Type"}, "1"},
        {{"CONFIG", "Leitor_Type"}, "1"},
        {{"CONFIG", "ModeloPin"}, "1"},
        {{"CONFIG", "Serial_Port"}, "2"},
        {{"PINPAD", "PINPORT"}, "3"},
        {{"PINPAD", "PINPAD"}, "PPSIM"},
        {{"PINPAD", "DLLPIN"}, "C:\\Vantrix\\ppsim.dll"},
        {{"PINPAD", "DLLTYPE"}, "1"},
        {{"CONFIG", "TIPOINSTALL"}, "1"},
    };
    for (const auto& [where, value] : keys)
        EXPECT_EQ(core(where.first, where.second), value) << where.first << "/" << where.second;

    EXPECT_EQ(platform::iniGetString("PPVISA.INI", "General", "Driver32", ""), "C:\\Vantrix\\ppsim.dll");
    EXPECT_EQ(platform::iniGetString("PPVISA.INI", "PPSIM", "Port", ""), "3");
    // The programs, the vendor library and the data files are in place.
    for (const char* file : {"LinkAgent", "VtxClient", "libVX32_CLI.so", "libVX32_PIN.so",
                             "libppsim.so", "PinPad.ini", "VXIFCFG.BIN", "VXIFNAT.BIN"})
        EXPECT_TRUE(fs::exists(root_.native(std::string("C/Vantrix/") + file))) << file;
    EXPECT_EQ(fs::status(root_.native("C/Vantrix/LinkAgent")).permissions() & fs::perms::owner_exec,
              fs::perms::owner_exec);
    EXPECT_TRUE(fs::is_directory(root_.native("C/Vantrix/Req")));
    EXPECT_TRUE(fs::is_directory(root_.native("C/Vantrix/Resp")));
    EXPECT_TRUE(fs::is_directory(root_.native("C/Vantrix/LOG")));
    EXPECT_TRUE(fs::exists(root_.native("C/Vantrix/INSTALL.TXT")));
    // The route file: the local address and port in the medium's record.
    struct stat st {};
    ASSERT_EQ(::stat(root_.native("C/Vantrix/VXIFCLI.BIN").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    std::string routes = root_.readFile("C/Vantrix/VXIFCLI.BIN").value_or("");
    ASSERT_EQ(routes.size(), 104u);
    wire::shiftDecipher(routes.data(), routes.size(), wire::kRouteFileKey);
    EXPECT_EQ(routes.substr(0, 8), "DEMO0001");
    EXPECT_EQ(routes.substr(8, 8), "10.1.2.3");
    EXPECT_EQ(routes.substr(68, 16), "5102510251022300");
}

TEST_F(ConfigurationTest, EstablishmentCaptionsGoToTheClientIniInTheirColumns) {
    install();
    const std::string client = "C:\\Vantrix\\VtxClient.ini";
    const std::string name = "A0000Farm\xE1" "cia Demo" + std::string(17, ' ');
    EXPECT_EQ(platform::iniGetString(client, "FormComplementar", "lblNomeEstab", ""),
              name + name + name.substr(0, 30 + 5 - 17));  // trailing blanks trimmed on reading
    const std::string raw = root_.readFile("C/Vantrix/VtxClient.ini").value_or("");
    const std::string code = "A0000C\xF3" "digo:012345678000190" + std::string(8, ' ');
    EXPECT_NE(raw.find("lblCodigoEstab=" + code + code + code + "\r\n"), std::string::npos) << raw;
    EXPECT_NE(raw.find("lblNomeEstab=" + name + name + name + "\r\n"), std::string::npos);
    // The medium's captions came along.
    EXPECT_EQ(platform::iniGetString(client, "FormComplementar", "lblUsuario", ""), "Y0000Usu\xE1rio:");
}

TEST_F(ConfigurationTest, AMediumOfLinksInstallsLinks) {
    // The package's data folder links to its programs: the station links to
    // them too, so that an upgrade of the package reaches it.
    root_.writeFile("lib/LinkAgent", "#!/bin/sh\n");
    fs::remove(medium_ + "/LinkAgent");
    fs::create_symlink(root_.native("lib/LinkAgent"), medium_ + "/LinkAgent");
    root_.writeFile("C/Vantrix/LinkAgent", "an old copy");
    install();
    const fs::path installed = root_.native("C/Vantrix/LinkAgent");
    ASSERT_TRUE(fs::is_symlink(installed));
    EXPECT_EQ(fs::read_symlink(installed), fs::path(root_.native("lib/LinkAgent")));
    EXPECT_FALSE(fs::is_symlink(root_.native("C/Vantrix/VtxClient")));  // a copy stays a copy
    install();  // a second run replaces the link whole
    EXPECT_EQ(fs::read_symlink(installed), fs::path(root_.native("lib/LinkAgent")));
    for (const auto& entry : fs::directory_iterator(root_.native("C/Vantrix")))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST_F(ConfigurationTest, RootGivesTheStationsFilesToTheOwnerOfTheStationRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files away";
    const uid_t uid = 43210;
    const gid_t gid = 43211;
    ASSERT_EQ(::chown(root_.path().c_str(), uid, gid), 0);
    install();
    for (const char* path : {"C", "C/Windows", "C/Windows/WINVTXCORE.INI", "C/Windows/PPVISA.INI",
                             "C/Vantrix", "C/Vantrix/CORE.INI", "C/Vantrix/VXIFCLI.BIN",
                             "C/Vantrix/LinkAgent", "C/Vantrix/Req", "C/Vantrix/EXPORT"}) {
        struct stat st {};
        ASSERT_EQ(::lstat(root_.native(path).c_str(), &st), 0) << path;
        EXPECT_EQ(st.st_uid, uid) << path;
        EXPECT_EQ(st.st_gid, gid) << path;
    }
    // The medium is not the station's: left as it was.
    struct stat medium {};
    ASSERT_EQ(::stat(medium_.c_str(), &medium), 0);
    EXPECT_EQ(medium.st_uid, 0u);
}

TEST_F(ConfigurationTest, AccessModesChangeTheLinkKeys) {
    answers_.server.tipo = "2";
    answers_.server.modo = "0";
    install();
    EXPECT_EQ(core("CONFIG", "Cli_Connection"), "Y");
    EXPECT_EQ(core("CONFIG", "ACESS_TYPE"), "0");
    EXPECT_EQ(core("LOCAL", "Address"), "127.0.0.1");  // written on a first installation
    EXPECT_EQ(core("LOCAL", "PORT"), "<none>");
    EXPECT_FALSE(fs::exists(root_.native("C/Vantrix/VXIFCLI.BIN")));  // no local access

    answers_.server.modo = "2";
    answers_.dial.dialup = "Provedor";
    answers_.dial.to = "90";
    install();
    EXPECT_EQ(core("DialUP", "ActiveDialUp"), "Y");
    EXPECT_EQ(core("DialUP", "Connection"), "Provedor");
    EXPECT_EQ(core("DialUP", "Time2HangUp"), "90");
    EXPECT_EQ(core("CONFIG", "Cli_Connection"), "N");  // mono user with dial-up
    EXPECT_EQ(core("CONFIG", "ACESS_TYPE"), "2");
    EXPECT_EQ(core("CONFIG", "MODOACESSO"), "2");

    answers_.server.modo = "3";
    answers_.ipNat.tcpip = "192.168.50.1";
    install();
    std::string routes = root_.readFile("C/Vantrix/VXIFCLI.BIN").value_or("");
    ASSERT_EQ(routes.size(), 208u);
    wire::shiftDecipher(routes.data(), routes.size(), wire::kRouteFileKey);
    std::string expected = plainRecord("REDE0002");
    std::string nat = "192.168.50.1";
    nat.resize(30, ' ');
    expected.replace(8, 60, nat + nat);
    EXPECT_EQ(routes.substr(104), expected);
}

TEST_F(ConfigurationTest, TheConfigChipKeyAndTheSixteenBitDriver) {
    answers_.pinpad.aplicType = "0";
    answers_.pinpad.modeloPin = "2";
    answers_.pinpad.serialPort = "0";
    platform::iniWriteString("PPVISA.INI", "General", "Driver16", "D:\\Vendor\\PPSIM.DLL");
    install();
    EXPECT_EQ(platform::iniGetString("PPVISA.INI", "General", "Driver16", ""), "D:\\Vendor\\PPSIM.DLL");
    EXPECT_EQ(platform::iniGetString("PPVISA.INI", "PINSIM", "Config", ""), "1CHIP");
    EXPECT_EQ(core("PINPAD", "DLLPIN"), "D:\\Vendor\\PPSIM.DLL");
    EXPECT_EQ(core("PINPAD", "DLLTYPE"), "0");
    EXPECT_EQ(core("PINPAD", "PINPORT"), "1");
    EXPECT_FALSE(fs::exists(root_.native("C/Vantrix/libppsim.so")));  // the shop's own is kept
}

TEST_F(ConfigurationTest, AReinstallKeepsTheEstablishmentCodeAndCaptions) {
    install();
    answers_.estab.cnpj = "99999999000199";
    answers_.estab.fantasia = "Outra";
    answers_.ipLocal.porta = "5200";
    install();
    EXPECT_EQ(core("CONFIG", "Estab_Code"), "012345678000190");
    EXPECT_EQ(core("CONFIG", "IPLOCALPORTA"), "5200");
    const std::string caption = platform::iniGetString("C:\\Vantrix\\VtxClient.ini", "FormComplementar",
                                                       "lblNomeEstab", "");
    EXPECT_EQ(caption.substr(0, 18), "A0000Farm\xE1" "cia Demo");
    // The shop's own client settings are kept too.
    platform::iniWriteString("C:\\Vantrix\\VtxClient.ini", "DADOS_GERAIS", "TipoLog", "S");
    install();
    EXPECT_EQ(platform::iniGetString("C:\\Vantrix\\VtxClient.ini", "DADOS_GERAIS", "TipoLog", ""), "S");
}

TEST_F(ConfigurationTest, StationKindsUseTheServerFolderAndDropTheConnectionManager) {
    answers_.server.tipo = "4";
    answers_.server.path = "F:\\Shared\\Vantrix";
    answers_.estacao.driveEst = "D:";
    root_.writeFile("D/Vantrix/LinkAgent", "old");
    root_.writeFile("D/Vantrix/VtxClient", "old");
    root_.writeFile("F/Shared/Vantrix/PinPad.ini",
                    "[PINPAD]\r\n0001=PPSIM\r\n[1PPSIM]\r\nSigla=SRV\r\nDLL=ppsim.dll\r\n");
    ConfigurationPlan p = plan();
    EXPECT_EQ(p.finalMessage, "INSTALA\xC7\xC3O REALIZADA COM SUCESSO!");
    EXPECT_TRUE(p.starts.empty());
    ASSERT_TRUE(applyConfiguration(p).ok);
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", ""), "F:\\Shared\\Vantrix");
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Core", ""), "F:\\Shared\\Vantrix");
    EXPECT_FALSE(fs::exists(root_.native("D/Vantrix/LinkAgent")));
    EXPECT_FALSE(fs::exists(root_.native("D/Vantrix/VtxClient")));
    EXPECT_TRUE(fs::exists(root_.native("D/Vantrix/libVX32_CLI.so")));
    EXPECT_EQ(coreAt("F:\\Shared\\Vantrix", "CONFIG", "TIPOINSTALL"), "4");
    EXPECT_EQ(coreAt("F:\\Shared\\Vantrix", "PINPAD", "PINPAD"), "PPSIM");  // the medium's PinPad.ini
    EXPECT_EQ(coreAt("F:\\Shared\\Vantrix", "CONFIG", "ACESS_TYPE"), "<none>");
    EXPECT_EQ(coreAt("F:\\Shared\\Vantrix", "CONFIG", "Estab_Code"), "<none>");

    answers_.server.tipo = "3";
    root_.writeFile("D/Vantrix/LinkAgent", "old");
    ASSERT_TRUE(applyConfiguration(plan()).ok);
    EXPECT_FALSE(fs::exists(root_.native("D/Vantrix/LinkAgent")));
    EXPECT_TRUE(fs::exists(root_.native("D/Vantrix/VtxClient")));
}

TEST_F(ConfigurationTest, WithoutThePinPadPageEveryPinPadValueIsZero) {
    answers_.pinpad.modeloPin = "77";
    PlanOptions options;
    options.pinPadAsked = false;
    ConfigurationPlan p = plan({}, options);
    p.starts.clear();
    ASSERT_TRUE(applyConfiguration(p).ok);
    EXPECT_EQ(core("CONFIG", "ModeloPin"), "0");
    EXPECT_EQ(core("CONFIG", "Serial_Port"), "0");
    EXPECT_EQ(core("PINPAD", "PINPAD"), "<none>");
}

TEST_F(ConfigurationTest, FirstInstallationStartsLinkAgentAndTheClientUnlessTheMediumSaysNot) {
    ConfigurationPlan p = plan();
    ASSERT_EQ(p.starts.size(), 2u);
    EXPECT_EQ(fs::path(p.starts[0]).filename(), "LinkAgent");
    EXPECT_EQ(fs::path(p.starts[1]).filename(), "VtxClient");
    InstallDescription d;
    d.ativaLa = true;
    EXPECT_EQ(plan(d).starts.size(), 1u);
    d.ativaClient = true;
    EXPECT_TRUE(plan(d).starts.empty());
    install();
    EXPECT_TRUE(plan().starts.empty());  // a reinstall starts nothing
}

TEST_F(ConfigurationTest, BadMediaAndAnswersAreRefusedBeforeAnythingIsWritten) {
    root_.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Server=C:\\Old\r\n");
    auto refused = [&](const std::string& expectedPart) {
        PlanResult planned = planConfiguration(answers_, {}, medium_);
        EXPECT_FALSE(planned.plan);
        EXPECT_NE(planned.error.find(expectedPart), std::string::npos) << planned.error;
    };
    answers_.pinpad.modeloPin = "3";
    refused("PinPad.ini n\xE3o tem o modelo de PIN pad 3");
    answers_.pinpad.modeloPin = "1";
    answers_.pinpad.serialPort = "COM1";
    refused("Serial_Port");
    answers_.pinpad.serialPort = "0";
    medium("VXIFCFG.BIN", enciphered(plainRecord("DEMO0001")).substr(0, 103));
    refused("VXIFCFG.BIN: tamanho de 103 bytes");
    medium("VXIFCFG.BIN", enciphered(std::string(104, '\x02')));
    refused("VXIFCFG.BIN: nenhum registro");
    fs::remove(medium_ + "/VXIFCFG.BIN");
    refused("VXIFCFG.BIN n\xE3o encontrado");
    fs::remove(medium_ + "/VtxClient");
    refused("Arquivo de instala\xE7\xE3o n\xE3o localizado !");
    answers_.server.tipo = "9";
    refused("N\xE3o Configurado");
    EXPECT_FALSE(fs::exists(root_.native("C/Vantrix")));
    EXPECT_EQ(root_.readFile("C/Windows/WINVTXCORE.INI"), "[CORE]\r\nPath Server=C:\\Old\r\n");
}

TEST_F(ConfigurationTest, AnInstallationFolderThatCannotBeWrittenChangesNothing) {
    root_.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Server=C:\\Old\r\n");
    root_.writeFile("C/Vantrix", "a file where the folder should be");
    ConfigurationPlan p = plan();
    ApplyReport report = applyConfiguration(p);
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.error.find("C/Vantrix"), std::string::npos) << report.error;
    EXPECT_TRUE(report.done.empty());
    EXPECT_EQ(root_.readFile("C/Windows/WINVTXCORE.INI"), "[CORE]\r\nPath Server=C:\\Old\r\n");
}

}  // namespace
}  // namespace vtx::install

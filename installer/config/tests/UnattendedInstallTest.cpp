// InstallVtx --unattended as a technician's script runs it: the project's
// answers files install every kind; bad answers, media and stations get a
// message and a non-zero status with the station's configuration untouched.
#include "vtx/installer/UnattendedInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestRoot.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/NamedMutex.h"

namespace vtx::install {
namespace {

namespace fs = std::filesystem;

std::string fileContent(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class UnattendedInstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        medium_ = root_.native("medium");
        for (const std::string& program : requiredPrograms())
            root_.writeFile("medium/" + program, "#!/bin/sh\n");
        // The medium's data files as the build lays them out, and an
        // INSTALL.INI that starts nothing.
        for (const char* name : {"PinPad.ini", "VXIFCFG.BIN", "VXIFNAT.BIN", "VtxClient.ini"})
            fs::copy_file(fs::path(VTX_BIN_DIR) / name, fs::path(medium_) / name);
        root_.writeFile("medium/INSTALL.INI", "[INSTALL]\r\nATIVA_LA=1\r\nATIVA_CLIENT=S\r\n");
    }

    int run(const std::string& answers) {
        root_.writeFile("answers.ini", answers);
        return runFile(root_.native("answers.ini"));
    }
    int runFile(const std::string& path) {
        out_.str("");
        err_.str("");
        return runUnattended({path, medium_}, out_, err_);
    }
    static std::string tree(const char* name) {
        return fileContent(fs::path(VTX_SOURCE_DIR) / "installer/answers" / name);
    }

    vtx::test::TempRoot root_;
    std::string medium_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(UnattendedInstallTest, EveryAnswersFileOfTheProjectInstalls) {
    for (const char* name : {"servidor.ini", "servidor-estacao.ini", "mono-usuario.ini"}) {
        ASSERT_EQ(runFile(fs::path(VTX_SOURCE_DIR) / "installer/answers" / name), 0)
            << name << ": " << err_.str();
        EXPECT_NE(out_.str().find("gravado CORE.INI"), std::string::npos) << out_.str();
    }
    // The UTF-8 answers file's trade name arrives in Windows-1252.
    EXPECT_EQ(platform::iniGetString("C:\\Vantrix\\CORE.INI", "CONFIG", "TIPOINSTALL", ""), "2");
    EXPECT_EQ(platform::iniGetString("C:\\Vantrix\\CORE.INI", "DialUP", "Connection", ""), "Provedor");
    EXPECT_EQ(platform::iniGetString("C:\\Vantrix\\VtxClient.ini", "FormComplementar", "lblNomeEstab", "")
                  .substr(0, 18),
              "A0000Drogaria Cent");  // the first installation's, kept on reinstalls

    // The tills of that server: its drive F: holds the server's mark.
    root_.writeFile("F/Vantrix/INSTALL.TXT", "");
    for (const char* name : {"estacao.ini", "checkout.ini"}) {
        ASSERT_EQ(runFile(fs::path(VTX_SOURCE_DIR) / "installer/answers" / name), 0)
            << name << ": " << err_.str();
        EXPECT_NE(out_.str().find("INSTALA\xC3\x87\xC3\x83O REALIZADA COM SUCESSO!"), std::string::npos);
    }
    EXPECT_EQ(platform::iniGetString("WINVTXCORE.INI", "CORE", "Path Server", ""), "F:\\Vantrix");
    EXPECT_EQ(platform::iniGetString("F:\\Vantrix\\CORE.INI", "PINPAD", "PINPAD", ""), "PPSIM");
    EXPECT_FALSE(fs::exists(root_.native("D/Vantrix/VtxClient")));
    EXPECT_TRUE(fs::exists(root_.native("D/Vantrix/libVX32_PIN.so")));
}

TEST_F(UnattendedInstallTest, TheServerAndAUtf8TradeNameAreCarriedOver) {
    ASSERT_EQ(runFile(fs::path(VTX_SOURCE_DIR) / "installer/answers/servidor-estacao.ini"), 0) << err_.str();
    const std::string raw = root_.readFile("C/Vantrix/VtxClient.ini").value_or("");
    EXPECT_NE(raw.find("lblNomeEstab=A0000Farm\xE1" "cia Demo"), std::string::npos);
    EXPECT_EQ(platform::iniGetString("MSTMPFILE.TMP", "TRACE", "PATH", ""), medium_);
    EXPECT_EQ(platform::iniGetString("MSTMPFILE.TMP", "ESTAB", "FANTASIA", ""), "Farm\xE1" "cia Demo");
    EXPECT_TRUE(fs::is_directory(root_.native("C/Vantrix/EXPORT")));
}

TEST_F(UnattendedInstallTest, BadAnswersAndMediaLeaveTheStationAsItWas) {
    ASSERT_EQ(runFile(fs::path(VTX_SOURCE_DIR) / "installer/answers/servidor-estacao.ini"), 0) << err_.str();
    const std::string core = root_.readFile("C/Vantrix/CORE.INI").value_or("");
    const std::string locator = root_.readFile("C/Windows/WINVTXCORE.INI").value_or("");
    const std::string good = tree("servidor-estacao.ini");
    auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string answers;
        std::string message;
    } cases[] = {
        {replaced("TIPO=1", "TIPO=7"), "N\xC3\xA3o Configurado"},
        {replaced("MODO=1", "MODO=2"),
         "Nome da conex\xC3\xA3o dial-UP n\xC3\xA3o preenchido !\n(DIAL/DIALUP)"},
        {replaced("[ESTAB]", "[ESTABELECIMENTO]"), "n\xC3\xA3o tem a se\xC3\xA7\xC3\xA3o [ESTAB]"},
        {replaced("[PINPAD]", "[OTHER]"), "[PINPAD]"},
        {replaced("[IPLOCAL]", "[LOCAL]"), "[IPLOCAL]"},
        {replaced("CNPJ=000000000012345", "CNPJ=1234567890123"),
         "CNPJ N\xC3\xA3o preenchido ou\n preenchido de forma incorreta !\n(ESTAB/CNPJ)"},
        {replaced("CEP=01234-567", "CEP=0123456"), "Cep n\xC3\xA3o preenchido"},
        {replaced("PORTA=5002", "PORTA="), "Porta Socket n\xC3\xA3o preenchida !"},
        {replaced("ModeloPin=1", "ModeloPin=9"), "PinPad.ini n\xC3\xA3o tem o modelo de PIN pad 9"},
        {"", "n\xC3\xA3o tem a se\xC3\xA7\xC3\xA3o [SERVER]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.answers), 1) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(runFile(root_.native("no-such-answers.ini")), 1);
    EXPECT_NE(err_.str().find("no-such-answers.ini"), std::string::npos);

    // A damaged route file and a medium without its programs.
    root_.writeFile("medium/VXIFCFG.BIN", std::string(103, 'x'));
    EXPECT_EQ(run(good), 1);
    EXPECT_NE(err_.str().find("VXIFCFG.BIN: tamanho de 103 bytes"), std::string::npos) << err_.str();
    fs::remove(root_.native("medium/LinkAgent"));
    EXPECT_EQ(run(good), 1);
    EXPECT_NE(err_.str().find("Arquivo de instala\xC3\xA7\xC3\xA3o n\xC3\xA3o localizado !\n(LinkAgent"),
              std::string::npos)
        << err_.str();

    EXPECT_EQ(root_.readFile("C/Vantrix/CORE.INI"), core);
    EXPECT_EQ(root_.readFile("C/Windows/WINVTXCORE.INI"), locator);
}

TEST_F(UnattendedInstallTest, ARunningLinkAgentOrInstallerStopsTheInstallation) {
    {
        platform::NamedMutex linkAgent("__a___hMutexVeficaAntDialUp__a___");
        ASSERT_TRUE(linkAgent.tryLock());
        EXPECT_EQ(run(tree("servidor-estacao.ini")), 1);
        EXPECT_EQ(err_.str(), "InstallVtx: O Aplicativo LinkAgent est\xC3\xA1 no ar!\npara continuar feche-o.\n");
    }
    {
        platform::NamedMutex installer("InstallVtx");
        ASSERT_TRUE(installer.tryLock());
        EXPECT_EQ(run(tree("servidor-estacao.ini")), 1);
        EXPECT_NE(err_.str().find("em andamento"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(root_.native("C/Vantrix/CORE.INI")));
    EXPECT_EQ(run(tree("servidor-estacao.ini")), 0) << err_.str();
}

TEST_F(UnattendedInstallTest, ATillWaitsForItsServer) {
    EXPECT_EQ(run(tree("estacao.ini")), 1);
    EXPECT_NE(err_.str().find("Problema no acesso ao Servidor. Favor verificar a rede!!"),
              std::string::npos);
    EXPECT_NE(err_.str().find("VANTRIX/INSTALL.TXT"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(root_.native("C/Windows/WINVTXCORE.INI")));
}

}  // namespace
}  // namespace vtx::install

#include "core/SetaEstruturaPrincipal.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/IniAccess.h"
#include "core/testing/ClientStation.h"

namespace vtx::client {
namespace {

using Keys = std::map<std::string, std::string>;

class SetaEstruturaPrincipalTest : public ClientStation {
protected:
    void SetUp() override {
        writeFile("C/Windows/WINVTXCORE.INI",
                  "[CORE]\r\nPath Server= c:\\vantrix \r\nPath CORE=C:\\Core\r\n");
        core_ = {{"ESTAB_CODE", " est001 "}, {"FILEAUX", "c:\\aux"}, {"LayoutArquivo", "1"}};
        client_ = {{"TipoLog", "m"},
                   {"TituloMensagem", "Aviso"},
                   {"TimeOut_Login", "30"},
                   {"bMsgIso", "Y"},
                   {"TIPOESTAB_Default", "2"},
                   {"bIdentificaCartao_DS", "Y"},
                   {"Msg_Approval", "aprovada"},
                   {"AlertaValBr_Id", "sns"},
                   {"AlertaDesc_Id", "nsn"},
                   {"Cod_Processamento_Pre_Venda", "003000"}};
    }

    static std::string section(const std::string& name, const Keys& keys) {
        std::string out = "[" + name + "]\r\n";
        for (const auto& [key, value] : keys) out += key + "=" + value + "\r\n";
        return out;
    }

    bool load() {
        writeFile("C/Vantrix/CORE.INI", section("CONFIG", core_));
        writeFile("C/Vantrix/VtxClient.ini",
                  section("DADOS_GERAIS", client_) +
                      "[FormPrincipal]\r\ncmdSair_Caption=YxxxxF12 - Sai&r\r\n");
        writeFile("C/Core/CORE.INI", "[CONFIG]\r\nLEITOR_TYPE= 3 \r\n");
        return SetaEstruturaPrincipal(settings_, captions_, reporter_,
                                      QStringLiteral("c:\\program"));
    }

    Keys core_;
    Keys client_;
    CaptionTable captions_;
};

TEST_F(SetaEstruturaPrincipalTest, LoadsEveryField) {
    ASSERT_TRUE(load());
    EXPECT_EQ(settings_.PathServer, QStringLiteral("C:\\VANTRIX"));
    EXPECT_EQ(settings_.PathCore, QStringLiteral("C:\\CORE"));
    EXPECT_EQ(settings_.TipoLog, QStringLiteral("M"));
    EXPECT_EQ(settings_.TituloMensagem, QStringLiteral("AVISO"));
    EXPECT_EQ(settings_.CodigoEstab, QStringLiteral("EST001"));
    EXPECT_EQ(settings_.CodigoAcesso, QStringLiteral("T4N8B6QX"));
    EXPECT_EQ(settings_.TimeOutLogin, 30);
    EXPECT_TRUE(settings_.MsgIso);
    EXPECT_EQ(settings_.TipoEstabDefault, 2);
    EXPECT_EQ(settings_.TipoEstab, 2);
    EXPECT_TRUE(settings_.IdentificaCartaoDS);
    EXPECT_EQ(settings_.FileAux, QStringLiteral("C:\\AUX\\"));
    EXPECT_EQ(settings_.MsgApproval, QStringLiteral("APROVADA"));
    EXPECT_EQ(settings_.AlertaValBrId, QStringLiteral("SNS"));
    EXPECT_EQ(settings_.AlertaDescId, QStringLiteral("NSN"));
    EXPECT_EQ(settings_.LayoutArquivo, 1);
    EXPECT_EQ(settings_.CodProcessamentoPreVenda, QStringLiteral("003000"));
    EXPECT_EQ(settings_.LeitorType, 3);  // from the CORE.INI of PathCore
    EXPECT_EQ(captions_.entry(QStringLiteral("FormPrincipal"), QStringLiteral("cmdSair_Caption"), 1)
                  .caption,
              QStringLiteral("F12 - Sai&r"));
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(SetaEstruturaPrincipalTest, LaterKeysFallBackToTheirDefaults) {
    client_ = {{"TimeOut_Login", "30"}, {"bMsgIso", "N"}, {"AlertaDesc_Id", ""}};
    core_ = {{"ESTAB_CODE", "1"}, {"FILEAUX", ""}};
    ASSERT_TRUE(load());
    EXPECT_EQ(settings_.TipoLog, QStringLiteral("M"));
    EXPECT_EQ(settings_.TituloMensagem, QStringLiteral("ATENÇÃO"));
    EXPECT_FALSE(settings_.MsgIso);
    EXPECT_EQ(settings_.TipoEstabDefault, 1);
    EXPECT_EQ(settings_.TipoEstab, 1);
    EXPECT_FALSE(settings_.IdentificaCartaoDS);
    EXPECT_EQ(settings_.FileAux, QString());
    EXPECT_EQ(settings_.MsgApproval, QString());
    EXPECT_EQ(settings_.AlertaValBrId, QStringLiteral("NNN"));
    EXPECT_EQ(settings_.AlertaDescId, QStringLiteral("NNN"));
    EXPECT_EQ(settings_.LayoutArquivo, 0);
    EXPECT_EQ(settings_.CodProcessamentoPreVenda, QString());
}

TEST_F(SetaEstruturaPrincipalTest, FailsWithoutARequiredKey) {
    for (const char* key : {"TimeOut_Login", "bMsgIso"}) {
        SetUp();
        client_.erase(key);
        EXPECT_FALSE(load()) << key;
    }
    SetUp();
    core_.erase("ESTAB_CODE");
    EXPECT_FALSE(load()) << "ESTAB_CODE";
}

TEST_F(SetaEstruturaPrincipalTest, AnEarlyKeyPresentButEmptyFailsDespiteItsDefault) {
    client_["TipoLog"] = "";
    EXPECT_FALSE(load());
    SetUp();
    client_["bIdentificaCartao_DS"] = "  ";
    EXPECT_FALSE(load());
}

TEST_F(SetaEstruturaPrincipalTest, MsgIsoIsTrueOnlyForUpperCaseY) {
    client_["bMsgIso"] = "y";
    ASSERT_TRUE(load());
    EXPECT_FALSE(settings_.MsgIso);
    client_["bMsgIso"] = " Y ";
    ASSERT_TRUE(load());
    EXPECT_TRUE(settings_.MsgIso);
}

TEST_F(SetaEstruturaPrincipalTest, FileAuxGetsOneBackslash) {
    core_["FILEAUX"] = "c:\\aux\\";
    ASSERT_TRUE(load());
    EXPECT_EQ(settings_.FileAux, QStringLiteral("C:\\AUX\\"));
}

TEST_F(SetaEstruturaPrincipalTest, WithoutTheLocatorThePathsAreTheProgramFolder) {
    writeFile("C/Windows/WINVTXCORE.INI", "");
    writeFile("C/Program/CORE.INI", "[CONFIG]\r\nESTAB_CODE=9\r\n");
    writeFile("C/Program/VtxClient.ini", section("DADOS_GERAIS", client_));
    ASSERT_TRUE(
        SetaEstruturaPrincipal(settings_, captions_, reporter_, QStringLiteral("c:\\program")));
    EXPECT_EQ(settings_.PathServer, QStringLiteral("C:\\PROGRAM"));
    EXPECT_EQ(settings_.PathCore, QStringLiteral("C:\\PROGRAM"));
    EXPECT_EQ(settings_.CodigoEstab, QStringLiteral("9"));
}

TEST_F(SetaEstruturaPrincipalTest, NativePathsKeepTheirCase) {
    std::string native = root_.native("Inst");
    writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Server=" + native + "\r\n");
    writeFile("Inst/CORE.INI", "[CONFIG]\r\nESTAB_CODE=7\r\n");
    writeFile("Inst/VtxClient.ini", section("DADOS_GERAIS", client_));
    ASSERT_TRUE(SetaEstruturaPrincipal(settings_, captions_, reporter_, QStringLiteral("/x")));
    EXPECT_EQ(settings_.PathServer, QString::fromStdString(native));
    EXPECT_EQ(settings_.CodigoEstab, QStringLiteral("7"));
}

TEST_F(SetaEstruturaPrincipalTest, ANumberOutOfRangeIsReportedAndFails) {
    client_["TimeOut_Login"] = "99999999999";
    EXPECT_FALSE(load());
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Ocorreu o erro: Overflow - 6"));
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("AVISOSetaEstruturaPrincipal"));
}

TEST_F(SetaEstruturaPrincipalTest, ReadsWindows1252Text) {
    client_["TituloMensagem"] = "Aten\xE7\xE3o";
    ASSERT_TRUE(load());
    EXPECT_EQ(settings_.TituloMensagem, QStringLiteral("ATENÇÃO"));
}

TEST(IniAccess, ReadRulesAndWindows1252RoundTrip) {
    vtx::test::TempRoot root;
    const QString file = QStringLiteral("C:\\Vantrix\\VtxClient.ini");
    QString value = QStringLiteral("old");
    EXPECT_TRUE(LeLinhaArquivoIni(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral(" d "),
                                  value, file));
    EXPECT_EQ(value, QStringLiteral("d"));
    EXPECT_FALSE(
        LeLinhaArquivoIni(QStringLiteral("S"), QStringLiteral("K"), QString(), value, file));

    ASSERT_TRUE(GravaLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"),
                                     QStringLiteral("DISTRIBUIDORA_REDE"),
                                     QStringLiteral("Distribuição São João"), file));
    EXPECT_EQ(root.readFile("C/Vantrix/VtxClient.ini").value_or(""),
              "[DADOS_GERAIS]\r\nDISTRIBUIDORA_REDE=Distribui\xE7\xE3o S\xE3o Jo\xE3o\r\n");
    EXPECT_TRUE(LeLinhaArquivoIni(QStringLiteral("dados_gerais"),
                                  QStringLiteral("distribuidora_rede"), QString(), value, file));
    EXPECT_EQ(value, QStringLiteral("Distribuição São João"));

    ASSERT_TRUE(GravaLinhaArquivoIni(QStringLiteral("S"), QStringLiteral("E"), QString(), file));
    EXPECT_FALSE(LeLinhaArquivoIni(QStringLiteral("S"), QStringLiteral("E"), QStringLiteral("d"),
                                   value, file));
}

}  // namespace
}  // namespace vtx::client

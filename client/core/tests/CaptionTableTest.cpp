#include "core/CaptionTable.h"

#include <gtest/gtest.h>

#include "core/MontaTela.h"
#include "core/testing/ClientStation.h"

namespace vtx::client {
namespace {

// One 35-character slot: flag, lengths, caption.
std::string slot(const std::string& head, const std::string& caption) {
    std::string s = head + caption;
    s.resize(35, ' ');
    return s;
}

class MontaTelaTest : public ClientStation {
protected:
    void SetUp() override { useLoadedSettings(); }

    CaptionEntry entry(const char* section, const char* key, int tipo) const {
        return captions_.entry(QString::fromLatin1(section), QString::fromLatin1(key), tipo);
    }

    CaptionTable captions_;
};

TEST_F(MontaTelaTest, EachEstablishmentTypeHasItsOwnSlot) {
    writeFile("C/Vantrix/VtxClient.ini",
              "[FormInicial]\r\n"
              "CmdAdmin_Caption=" +
                  slot("Y0000", "F5 - &Administrativas") + slot("N0000", "F5 - Rede") +
                  slot("y0000", "F5 - Distribuidor") +
                  "\r\n"
                  "txtCartao=" +
                  slot("N1619", "Numero do cartao do portador") + slot("A0520", "Cartao") +
                  "\r\n"
                  "[formlogin]\r\n"
                  "TXTUSERNAME=" +
                  slot("N0406", "Usuario") + "\r\n");
    MontaTela(settings_, captions_, reporter_);

    EXPECT_TRUE(entry("FormInicial", "CmdAdmin_Caption", 1).enabled());
    EXPECT_EQ(entry("FormInicial", "CmdAdmin_Caption", 1).caption,
              QStringLiteral("F5 - &Administrativas"));
    EXPECT_FALSE(entry("FormInicial", "CmdAdmin_Caption", 2).enabled());
    EXPECT_EQ(entry("FormInicial", "CmdAdmin_Caption", 2).caption, QStringLiteral("F5 - Rede"));
    EXPECT_FALSE(entry("FormInicial", "CmdAdmin_Caption", 3).enabled());  // lower-case y

    CaptionEntry card = entry("FormInicial", "txtCartao", 1);
    EXPECT_TRUE(card.digitsOnly());
    EXPECT_EQ(card.minLength, 16);
    EXPECT_EQ(card.maxLength, 19);
    EXPECT_EQ(card.label(), QStringLiteral("Numero do cartao do "));
    EXPECT_EQ(entry("FormInicial", "txtCartao", 2).maxLength, 20);

    // A value of two slots leaves the third type empty.
    CaptionEntry third = entry("FormInicial", "txtCartao", 3);
    EXPECT_EQ(third.flag, QString());
    EXPECT_EQ(third.caption, QString());
    EXPECT_EQ(third.maxLength, 0);

    // Sections and keys are found without regard to case.
    EXPECT_EQ(entry("FORMLOGIN", "txtusername", 1).caption, QStringLiteral("Usuario"));
}

TEST_F(MontaTelaTest, MissingKeysAndTypesGiveEmptyEntries) {
    writeFile("C/Vantrix/VtxClient.ini",
              "[FormPrincipal]\r\ncmdSair_Caption=" + slot("Y0000", "F12 - Sai&r") + "\r\n");
    MontaTela(settings_, captions_, reporter_);
    EXPECT_TRUE(entry("FormPrincipal", "cmdSair_Caption", 1).enabled());
    EXPECT_FALSE(entry("FormPrincipal", "cmdSair_Caption", 2).enabled());
    EXPECT_FALSE(entry("FormPrincipal", "mnuImprimir_Caption", 1).enabled());
    EXPECT_EQ(entry("FormPrincipal", "cmdSair_Caption", 0).caption, QString());
    EXPECT_EQ(entry("FormPrincipal", "cmdSair_Caption", 4).caption, QString());
    EXPECT_EQ(entry("FormNada", "cmdSair_Caption", 1).caption, QString());

    std::vector<CaptionEntry> record = captions_.record(QStringLiteral("FormPrincipal"), 1);
    ASSERT_EQ(record.size(), 2u);  // mnuImprimir_Caption, cmdSair_Caption
    EXPECT_EQ(record[1].caption, QStringLiteral("F12 - Sai&r"));
}

TEST_F(MontaTelaTest, SlotsAreFixedWidthAndLoadingAgainForgetsOldOnes) {
    // The 30 caption characters of type 1 run right up to the flag of type 2.
    writeFile("C/Vantrix/VtxClient.ini",
              "[FormResumo]\r\nlblLotesDias=A0000123456789012345678901234567890Y0000Rede\r\n");
    MontaTela(settings_, captions_, reporter_);
    EXPECT_EQ(entry("FormResumo", "lblLotesDias", 1).caption,
              QStringLiteral("123456789012345678901234567890"));
    EXPECT_TRUE(entry("FormResumo", "lblLotesDias", 2).enabled());
    EXPECT_EQ(entry("FormResumo", "lblLotesDias", 2).caption, QStringLiteral("Rede"));

    writeFile("C/Vantrix/VtxClient.ini", "");
    MontaTela(settings_, captions_, reporter_);
    EXPECT_EQ(entry("FormResumo", "lblLotesDias", 1).caption, QString());
}

TEST_F(MontaTelaTest, ReadsTheCardReaderTypeFromPathCore) {
    settings_.PathCore = QStringLiteral("C:\\CORE");
    settings_.LeitorType = 5;
    MontaTela(settings_, captions_, reporter_);
    EXPECT_EQ(settings_.LeitorType, 5);  // missing: unchanged

    writeFile("C/Core/CORE.INI", "[CONFIG]\r\nLEITOR_TYPE=2\r\n");
    writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nLEITOR_TYPE=9\r\n");
    MontaTela(settings_, captions_, reporter_);
    EXPECT_EQ(settings_.LeitorType, 2);

    writeFile("C/Core/CORE.INI", "[CONFIG]\r\nLEITOR_TYPE=70000\r\n");
    MontaTela(settings_, captions_, reporter_);
    EXPECT_EQ(settings_.LeitorType, 2);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].request.text, QStringLiteral("Ocorreu o erro: Overflow - 6"));
}

}  // namespace
}  // namespace vtx::client

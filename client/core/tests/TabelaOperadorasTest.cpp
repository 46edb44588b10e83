#include "core/TabelaOperadoras.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/testing/ClientStation.h"

namespace vtx::client {
namespace {

std::string padded(const std::string& text, size_t width) {
    std::string out = text.substr(0, width);
    out.resize(width, ' ');
    return out;
}

// A full 105-character record.
std::string record(const std::string& name, const std::string& code) {
    return padded(name, 20) + padded(code, 8) + "N1619" + padded("Cartao", 20) + "A0510" +
           padded("CPF", 20) + " 0000" + padded("", 20) + "Z9";
}

class TabelaOperadorasTest : public ClientStation {
protected:
    void SetUp() override { useLoadedSettings(); }

    bool load(const std::string& content) {
        writeFile("C/Vantrix/VXTb_Opr.txt", content);
        return table_.ObtemDadosOperadora(settings_, reporter_);
    }

    TabelaOperadoras table_;
};

TEST_F(TabelaOperadorasTest, CutsEachLineIntoItsFields) {
    ASSERT_EQ(record("REDE BENEFICIO", "RB000001").size(), 105u);
    ASSERT_TRUE(load(record("REDE BENEFICIO", "RB000001") + "\r\n"));
    ASSERT_EQ(table_.size(), 1);
    const OperatorRecord& r = *table_.at(1);
    EXPECT_EQ(r.name, QStringLiteral("REDE BENEFICIO      "));
    EXPECT_EQ(r.code, QStringLiteral("RB000001"));
    EXPECT_EQ(r.fields[0].kind, QStringLiteral("N"));
    EXPECT_EQ(r.fields[0].minLength, 16);
    EXPECT_EQ(r.fields[0].maxLength, 19);
    EXPECT_EQ(r.fields[0].label, QStringLiteral("Cartao              "));
    EXPECT_EQ(r.fields[1].kind, QStringLiteral("A"));
    EXPECT_EQ(r.fields[1].maxLength, 10);
    EXPECT_FALSE(r.fields[2].asked());
    EXPECT_EQ(r.finalCode, QStringLiteral("Z9"));
}

TEST_F(TabelaOperadorasTest, ShortLongAndOddLines) {
    std::string full = record("LONGA", "L0000001");
    ASSERT_TRUE(load("CURTA               C001\n" +           // short: the rest blank, 0
                     full + "EXTRA,IGNORADO\r\n" +            // long: beyond 105 ignored
                     "   \r\n" +                              // blank: no record
                     "VIRGULA, NOME       V0000001Nx7??\r\n"  // comma kept; odd numbers
                     "ULTIMA              U0000001"));        // no final line end
    ASSERT_EQ(table_.size(), 4);

    const OperatorRecord& shortLine = *table_.at(1);
    EXPECT_EQ(shortLine.code, QStringLiteral("C001    "));
    EXPECT_FALSE(shortLine.fields[0].asked());
    EXPECT_EQ(shortLine.fields[0].minLength, 0);
    EXPECT_EQ(shortLine.fields[2].label, QString(20, u' '));
    EXPECT_EQ(shortLine.finalCode, QStringLiteral("  "));

    EXPECT_EQ(table_.at(2)->finalCode, QStringLiteral("Z9"));

    const OperatorRecord& odd = *table_.at(3);
    EXPECT_EQ(odd.name, QStringLiteral("VIRGULA, NOME       "));
    EXPECT_EQ(odd.fields[0].minLength, 0);  // "x7": not a number
    EXPECT_EQ(odd.fields[0].maxLength, 0);  // "??"
    EXPECT_EQ(table_.at(4)->code, QStringLiteral("U0000001"));
    EXPECT_EQ(table_.at(0), nullptr);
    EXPECT_EQ(table_.at(5), nullptr);
}

TEST_F(TabelaOperadorasTest, ListsAndLookups) {
    ASSERT_TRUE(load(record(" Rede A", "rb01") + "\r\n" + record("Rede B", "RB01 ") + "\r\n" +
                     record("Rede \xC7", "XY02") + "\r\n"));
    EXPECT_EQ(table_.names(), QStringList({QStringLiteral("Rede A"), QStringLiteral("Rede B"),
                                           QStringLiteral("Rede Ç")}));

    // One entry per code, linked to the first record that has it.
    std::vector<CodeChoice> codes = table_.distinctCodes();
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].code, QStringLiteral("RB01"));
    EXPECT_EQ(codes[0].index, 1);
    EXPECT_EQ(codes[1].code, QStringLiteral("XY02"));
    EXPECT_EQ(codes[1].index, 3);

    EXPECT_EQ(table_.indexOfName(QStringLiteral("rede b ")), 2);
    EXPECT_EQ(table_.indexOfName(QStringLiteral("Rede")), 0);
    EXPECT_EQ(table_.indexOfCode(QStringLiteral(" Rb01")), 1);

    ASSERT_TRUE(table_.select(2, settings_));
    EXPECT_EQ(settings_.AdmSelecionada, 2);
    EXPECT_EQ(settings_.NomeAdministradora, QStringLiteral("Rede B"));
    EXPECT_EQ(settings_.CodigoAdministradora, QStringLiteral("RB01"));
    EXPECT_FALSE(table_.select(4, settings_));
    EXPECT_EQ(settings_.AdmSelecionada, 2);
}

TEST_F(TabelaOperadorasTest, MissingFileIsReportedAndEmptiesTheTable) {
    ASSERT_TRUE(load(record("A", "B") + "\r\n"));
    std::remove(root_.native("C/Vantrix/VXTb_Opr.txt").c_str());
    EXPECT_FALSE(table_.ObtemDadosOperadora(settings_, reporter_));
    EXPECT_TRUE(table_.empty());
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].request.text,
              QStringLiteral("Ocorreu o erro: Arquivo VXTb_Opr.txt não foi encontrado."));
    EXPECT_EQ(dialogs_.messages()[0].request.title, QStringLiteral("ATENÇÃOObtemDadosOperadora"));
}

TEST_F(TabelaOperadorasTest, FindsTheFileWhateverItsCase) {
    writeFile("C/Vantrix/VXTB_OPR.TXT", record("A", "B") + "\r\n");
    EXPECT_TRUE(table_.ObtemDadosOperadora(settings_, reporter_));
    EXPECT_EQ(table_.size(), 1);
}

}  // namespace
}  // namespace vtx::client

// ProcessaPreco through the real communication library's local price
// look-up: a station without a price file keeps the prices the host gave,
// a station with one takes the file's.
#include <gtest/gtest.h>

#include "core/testing/ScriptedDialogs.h"
#include "field/tests/QStringPrinter.h"
#include "messaging/LoadedCommLibrary.h"
#include "messaging/PriceLookup.h"
#include "vtx/commlib/testing/Station.h"

using namespace vtx::client;

namespace {

class LocalPrice : public ::testing::Test {
protected:
    void SetUp() override {
        session_.settings.PathServer = QString::fromLatin1(vtx::cli::test::Station::kPathServer);
        session_.settings.TipoLog = QStringLiteral("M");
    }

    // The product as the host's query listed it.
    bool lookUp() {
        return ProcessaPreco(session_, QStringLiteral("7890000000017"), QStringLiteral("1"),
                             descricao_, bruto_, liquido_, receber_, QString(), desconto_,
                             exibicao_);
    }

    vtx::cli::test::Station station_;
    vtx::client::testing::ScriptedDialogs dialogs_;
    LoadedCommLibrary comm_;
    ClientSession session_{dialogs_, comm_};
    QString descricao_ = QStringLiteral("ANALGESICO 500MG 20C");
    QString bruto_ = QStringLiteral("12,50");
    QString liquido_ = QStringLiteral("11,25");
    QString receber_ = QStringLiteral("9,00");
    QString desconto_ = QStringLiteral("10,00");
    QString exibicao_;
};

}  // namespace

// The library answers "found" without a price file and leaves its buffers:
// they must hold the screen's prices, or the product would be entered at
// 0,00.
TEST_F(LocalPrice, WithoutAPriceFileTheHostsPricesStay) {
    ASSERT_TRUE(lookUp()) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_EQ(bruto_, QStringLiteral("12,50"));
    EXPECT_EQ(liquido_, QStringLiteral("11,25"));
    EXPECT_EQ(receber_, QStringLiteral("9,00"));
    EXPECT_EQ(desconto_, QStringLiteral("10,00"));
    EXPECT_EQ(descricao_, QStringLiteral("ANALGESICO 500MG 20C"));
    EXPECT_EQ(exibicao_, QStringLiteral("11,25"));
    EXPECT_TRUE(dialogs_.texts().isEmpty());
}

TEST_F(LocalPrice, APriceFileGivesItsPrices) {
    station_.setCore("PRODUTO", "TYPE_READ", "1");
    station_.setCore("PRODUTO", "FILENAME", "PRECOS.TXT");
    station_.root().writeFile("C/Vantrix/PRECOS.TXT",
                              "78900000000171ANALGESICO FILE     00014000001260\r\n");
    ASSERT_TRUE(lookUp()) << dialogs_.texts().join(" | ").toStdString();
    EXPECT_EQ(bruto_, QStringLiteral("14,00"));
    EXPECT_EQ(liquido_, QStringLiteral("12,60"));
    EXPECT_EQ(desconto_, QStringLiteral("10,00"));
    EXPECT_EQ(descricao_, QStringLiteral("ANALGESICO FILE"));
}

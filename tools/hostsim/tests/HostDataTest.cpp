// The data folder's files as a support person writes them, and what the
// simulator says about mistakes in them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CardBook.h"
#include "Catalogue.h"
#include "HostData.h"
#include "HostSimProcess.h"
#include "TempFolder.h"

namespace vtx::hostsim::test {
namespace {

TEST(CatalogueTest, FillsTheColumnsLeftEmptyAndFindsByCodeTypeAndText) {
    std::string error;
    auto catalogue = Catalogue::parse(
        "# our products\r\ncode;description;manufacturer;type;gross;discount;net;collect;status\r\n"
        "0007891;Dipirona 500mg;MEDLEY;1;1250;1000\r\n"
        "7891;DIPIRONA GOTAS;MEDLEY;2;999;;;;45\r\n\r\n"
        "123;XAROPE;;1;500;0;450;400;00\r\n"
        "124;XAROPE LIMITADO;;1;500;0;;;;3\r\n",
        error);
    ASSERT_TRUE(catalogue) << error;
    const ProductItem* tablet = catalogue->find("000000007891", "1");
    ASSERT_NE(tablet, nullptr);
    EXPECT_EQ(tablet->net, 1125);
    EXPECT_EQ(tablet->collect, 1125);
    EXPECT_EQ(tablet->status, "00");
    EXPECT_EQ(catalogue->find("7891", "2")->status, "45");
    EXPECT_EQ(catalogue->find("7891", "")->type, "1");
    EXPECT_EQ(catalogue->find("7891", "3"), nullptr);
    EXPECT_EQ(catalogue->search("dipirona").size(), 2u);
    EXPECT_EQ(catalogue->search("12").size(), 2u);
    EXPECT_EQ(catalogue->search("").size(), 4u);
    EXPECT_EQ(catalogue->find("123", "1")->limit, 0);
    EXPECT_EQ(catalogue->find("124", "1")->limit, 3);
}

TEST(CatalogueTest, NamesTheLineAndColumnOfAMistake) {
    const std::pair<std::string, std::string> cases[] = {
        {"1;A;B;1;12,50\n", "line 1: gross"},
        {"1;A;B;1;100\n\n1;C;D;1;200\n", "line 3: product 1 type 1 is listed twice"},
        {"12345678901234;A;B;1;100\n", "code"},
        {"1;A;B;12;100\n", "type"},
        {"1;A;B;1;100;10000\n", "discount"},
        {"1;A;B;1;100;0;0;0;4\n", "status"},
        {"1;A;B;1\n", "columns"},
        {"1;A;B;1;100;0;0;0;00;1000\n", "limit"},
        {"1;A;B;1;100;0;0;0;00;2;X\n", "columns"},
        {"1;" + std::string(21, 'A') + ";B;1;100\n", "description"},
    };
    for (const auto& [content, mention] : cases) {
        SCOPED_TRACE(content);
        std::string error;
        EXPECT_FALSE(Catalogue::parse(content, error));
        EXPECT_NE(error.find(mention), std::string::npos) << error;
    }
}

TEST(CardBookTest, ReadsCardsAndNamesSectionAndKeyOfAMistake) {
    std::string error;
    auto book = CardBook::parse("[6012345678901234]\nname=MARIA\nField1=123\nBLOCKED=Yes\n", error);
    ASSERT_TRUE(book) << error;
    const CardRecord* card = book->find("6012345678901234");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->name, "MARIA");
    EXPECT_TRUE(card->blocked);
    EXPECT_EQ(book->find("601234567890123"), nullptr);

    const std::pair<std::string, std::string> cases[] = {
        {"[6012-3456]\n", "[6012-3456]: a card number"},
        {"[601234]\nColour=red\n", "key Colour: unknown key"},
        {"[601234]\nBlocked=maybe\n", "key Blocked"},
        {"[601234]\nName=A;B\n", "key Name"},
        {"[601234]\nName=A\nName=B\n", "more than once"},
        {"[601234]\n[601234]\n", "more than once"},
    };
    for (const auto& [content, mention] : cases) {
        SCOPED_TRACE(content);
        EXPECT_FALSE(CardBook::parse(content, error));
        EXPECT_NE(error.find(mention), std::string::npos) << error;
    }
}

TEST(HostDataTest, BatchSizeIsAWholeNumberAndZeroByDefault) {
    HostData data;
    std::string error;
    EXPECT_EQ(data.batchSize, 0);
    EXPECT_TRUE(parseHostSettings("[Host]\nbatchsize= 25\n", data, error)) << error;
    EXPECT_EQ(data.batchSize, 25);
    for (const char* bad : {"[Host]\nBatchSize=\n", "[Host]\nBatchSize=-1\n",
                            "[Host]\nBatchSize=100000\n", "[Host]\nBatchSize=1x\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseHostSettings(bad, data, error));
        EXPECT_NE(error.find("[Host] BatchSize"), std::string::npos) << error;
    }
}

TEST(HostDataTest, PreSaleCodesMustBeFreeProcessingCodes) {
    HostData data;
    std::string error;
    EXPECT_TRUE(parseHostSettings("[Host]\nPreSaleCodes=800000, 800010\n", data, error)) << error;
    EXPECT_EQ(data.preSaleCodes, (std::vector<std::string>{"800000", "800010"}));
    EXPECT_FALSE(parseHostSettings("[Host]\nPreSaleCodes=800200\n", data, error));
    EXPECT_FALSE(parseHostSettings("[Host]\nPreSaleCodes=8000\n", data, error));
    EXPECT_FALSE(parseHostSettings("[Other]\nX=1\n", data, error));
}

TEST(HostDataTest, SampleDataFolderLoads) {
    std::string error;
    auto data = loadHostData(VTX_HOSTSIM_SAMPLE_DATA, error);
    ASSERT_TRUE(data) << error;
    EXPECT_NE(data->cards.find("6012345678901234"), nullptr);
    EXPECT_GE(data->catalogue.size(), 10u);
    const OperatorTables* demo = data->logon.find("DEMO0001");
    ASSERT_NE(demo, nullptr);
    // Every table of the folder is handed out: the managers' files and the
    // report files of the point-of-sale client.
    std::set<std::string> names;
    for (const auto& piece : demo->pieces) names.insert(piece.fileName);
    for (const char* table : {"UP.S86", "LT0001.S88", "MF.S42", "TPDEMO0001.SBA", "SSDEMO0001.S5D"})
        EXPECT_EQ(names.count(table), 1u) << table;
}

TEST(HostDataTest, BadDataFolderStopsTheProgramWithCode2NamingTheFile) {
    TempFolder folder;
    const std::string data = folder.path() + "/data";
    std::filesystem::create_directory(data);
    std::ofstream(data + "/cards.ini") << "[601234]\n";
    HostSimPort till;
    till.section = "till";
    HostSimProcess missing(folder.path(), std::vector<HostSimPort>{till});
    missing.setDataFolder(data);
    EXPECT_FALSE(missing.start());
    EXPECT_EQ(missing.exitCode(), 2);
    EXPECT_NE(missing.error().find("cannot read " + data + "/products.csv"), std::string::npos);

    std::ofstream(data + "/products.csv") << "code;description\n1;A;B;1;x\n";
    HostSimProcess bad(folder.path(), std::vector<HostSimPort>{till});
    bad.setDataFolder(data);
    EXPECT_FALSE(bad.start());
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_NE(bad.error().find("products.csv: line 2: gross"), std::string::npos) << bad.error();
}

}  // namespace
}  // namespace vtx::hostsim::test

// Item-level authorisation rules of the data folder, against the running
// simulator in both forms: a product refused, a quantity lowered to the
// catalogue's limit, a blocked card; and what the host keeps of them.
#include <gmock/gmock.h>

#include "TransactionFixture.h"

namespace vtx::hostsim::test {
namespace {

using ::testing::HasSubstr;

class ItemRulesTest : public TransactionFixture {
protected:
    std::string open(const std::string& card, const std::string& proc) {
        StationAnswer opened = send(eligibility(card, proc));
        return nsuOf(opened);
    }
};

TEST_P(ItemRulesTest, PartialAuthorisationLowersTheQuantityAndRefusesTheBlockedProduct) {
    const std::string nsu = open(cardNumber(3), "800000");
    StationAnswer answer =
        send(batch(false, nsu, {{productCode(1), 3}, {kLimited, 5}, {kRefused, 1}}, false));
    EXPECT_EQ(answer["009-000"], "00");
    EXPECT_EQ(answer.item("905", 0), "003");
    EXPECT_EQ(answer.item("919", 0), "00");
    EXPECT_EQ(answer.item("905", 1), "002");  // five asked, two authorised
    EXPECT_EQ(answer.item("919", 1), "00");
    EXPECT_EQ(answer.item("910", 1), "0002000");
    EXPECT_EQ(answer.item("905", 2), "000");
    EXPECT_EQ(answer.item("919", 2), "45");
    EXPECT_THAT(host().transactionState(six(nsu)),
                HasSubstr("state=pending card=601200******0003 items=" + productCode(1) +
                          "/1/3/0/00," + kLimited + "/1/2/0/00," + kRefused + "/1/0/0/45"));

    // The sale reads back only what was authorised.
    StationAnswer readBack = send(eligibility(cardNumber(3), "800500"));
    ASSERT_EQ(readBack["901-000"], "02");
    EXPECT_EQ(readBack.item("902", 1), kLimited);
    EXPECT_EQ(readBack.item("905", 1), "002");
}

TEST_P(ItemRulesTest, AQuantityWithinTheLimitIsAuthorisedWhole) {
    const std::string nsu = open(cardNumber(4), "800500");
    StationAnswer sale = send(batch(true, nsu, {{kLimited, 2}}, false));
    EXPECT_EQ(sale["009-000"], "00");
    EXPECT_GT(sale.receiptLineCount(), 0);  // read first, as the stations do
    EXPECT_EQ(sale.item("905", 0), "002");
}

TEST_P(ItemRulesTest, OnlyRefusedProductsDeclineTheTransaction) {
    const std::string nsu = open(cardNumber(5), "800000");
    StationAnswer answer = send(batch(false, nsu, {{kRefused, 2}}, false));
    EXPECT_EQ(answer["009-000"], "40");
    EXPECT_EQ(answer.item("919", 0), "45");
    EXPECT_THAT(host().transactionState(six(nsu)), HasSubstr("state=declined"));
}

TEST_P(ItemRulesTest, ABlockedCardOpensNothing) {
    StationAnswer refused = send(eligibility(kBlocked, "800500"));
    EXPECT_EQ(refused["009-000"], "62");
    EXPECT_EQ(refused["030-000"], "Cartao bloqueado");
    EXPECT_TRUE(refused["012-000"].empty());
}

INSTANTIATE_TEST_SUITE_P(BothForms, ItemRulesTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& testInfo) {
                             return testInfo.param ? "Iso" : "Text";
                         });

}  // namespace
}  // namespace vtx::hostsim::test

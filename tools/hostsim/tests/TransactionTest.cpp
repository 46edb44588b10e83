// Whole transactions against a host with a data folder, each in the
// numbered-field form and in the ISO 8583 form, read back the way the
// stations read answers.
#include <gmock/gmock.h>

#include <thread>

#include "Frames.h"

#include "TransactionFixture.h"

namespace vtx::hostsim::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class TransactionTest : public TransactionFixture {
protected:
    std::string trimmed(std::string text) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }

    // A pre-authorisation of `items` for `card` in one batch; its NSU.
    std::string preAuthorise(const std::string& card, const std::vector<AskedItem>& items) {
        StationAnswer opened = send(eligibility(card, "800000"));
        std::string nsu = nsuOf(opened);
        EXPECT_EQ(send(batch(false, nsu, items, false))["009-000"], "00");
        return nsu;
    }

    // A sale of `items` for `card`, answered and not yet confirmed; its NSU.
    std::string sell(const std::string& card, const std::vector<AskedItem>& items) {
        StationAnswer opened = send(eligibility(card, "800500"));
        std::string nsu = nsuOf(opened);
        EXPECT_EQ(send(batch(true, nsu, items, false))["009-000"], "00");
        return nsu;
    }

    std::string stateOf(const std::string& nsu) { return host().transactionState(six(nsu)); }
};

TEST_P(TransactionTest, EligibilityChecksTheCardAndItsIdentification) {
    StationAnswer accepted = send(eligibility(kMaria, "800000", "03123"));
    EXPECT_EQ(accepted["009-000"], "00");
    const std::string nsu = nsuOf(accepted);
    ASSERT_FALSE(nsu.empty());
    EXPECT_THAT(stateOf(nsu), HasSubstr("kind=preauth state=open card=601234******1234"));

    struct Case {
        std::string card, identification, status, message;
    };
    for (const Case& c : {Case{kMaria, "03999", "55", "Dados de identificacao nao conferem"},
                          Case{kMaria, "", "55", "Dados de identificacao nao conferem"},
                          Case{"6000111122223333", "", "56", "Cartao nao cadastrado"},
                          Case{kBlocked, "", "62", "Cartao bloqueado"}}) {
        SCOPED_TRACE(c.card + " " + c.identification);
        StationAnswer refused = send(eligibility(c.card, "800000", c.identification));
        EXPECT_EQ(refused["009-000"], c.status);
        EXPECT_EQ(refused["030-000"], c.message);
        EXPECT_EQ(refused["012-000"], "");
    }
}

TEST_P(TransactionTest, PreAuthorisationOf25ProductsIsAnsweredItemByItemAndReadBackBySale) {
    std::vector<AskedItem> items;
    for (int n = 1; n <= 25; ++n) items.push_back({productCode(n), n % 3 + 1});
    items[4].code = "9990000000001";  // not in the catalogue
    items[19].code = "9990000000002";
    StationAnswer opened = send(eligibility(cardNumber(1), "800000"));
    const std::string nsu = nsuOf(opened);

    for (size_t first = 0; first < items.size(); first += 12) {
        const size_t count = std::min<size_t>(12, items.size() - first);
        const auto from = items.begin() + static_cast<std::ptrdiff_t>(first);
        std::vector<AskedItem> part(from, from + static_cast<std::ptrdiff_t>(count));
        StationAnswer answer = send(batch(false, nsu, part, first + count < items.size()));
        SCOPED_TRACE(first);
        EXPECT_EQ(answer["009-000"], "00");
        EXPECT_EQ(nsuOf(answer), nsu);
        ASSERT_EQ(answer["901-000"], count == 12 ? "12" : "01");
        for (size_t i = 0; i < count; ++i) {
            const bool known = part[i].code[0] == '7';
            const int j = static_cast<int>(i);
            EXPECT_EQ(answer.item("902", j), part[i].code) << i;
            EXPECT_EQ(answer.item("919", j), known ? "00" : "41") << i;
            EXPECT_EQ(std::stoi(answer.item("905", j)), known ? part[i].quantity : 0) << i;
        }
    }
    EXPECT_THAT(stateOf(nsu), HasSubstr("state=pending"));

    // The sale's eligibility gives the 23 authorised items back, 12 per page.
    StationAnswer page0 = send(eligibility(cardNumber(1), "800500"));
    const std::string saleNsu = nsuOf(page0);
    EXPECT_NE(saleNsu, nsu);
    EXPECT_EQ(page0["900-000"], "1");
    EXPECT_EQ(page0["901-000"], "12");
    StationAnswer page1 = send(eligibility(cardNumber(1), "800500", "", 1));
    EXPECT_EQ(nsuOf(page1), saleNsu);
    EXPECT_EQ(page1["900-000"], "0");
    ASSERT_EQ(page1["901-000"], "11");
    EXPECT_EQ(page0.item("902", 4), productCode(6));
    EXPECT_EQ(page1.item("902", 10), productCode(25));
    EXPECT_EQ(page1.item("905", 10), "002");
    EXPECT_EQ(page1.item("910", 10), "0001025");
    EXPECT_EQ(page1.item("911", 10), "0000923");
    EXPECT_EQ(page1.item("909", 10), "01000");
}

TEST_P(TransactionTest, SaleCarriesReceiptLinesAndIsConfirmed) {
    StationAnswer opened = send(eligibility(cardNumber(2), "800500"));
    EXPECT_EQ(opened["901-000"], "00");
    EXPECT_EQ(opened["900-000"], "0");
    const std::string nsu = nsuOf(opened);

    StationAnswer sale = send(batch(true, nsu, {{productCode(1), 2}, {"9990000000001", 1}}, false));
    EXPECT_EQ(sale["009-000"], "00");
    const int lines = sale.receiptLineCount();  // read first, as the stations do
    ASSERT_GE(lines, 5);
    EXPECT_EQ(trimmed(sale["029-000"]), "         AUTORIZACAO DE VENDA");
    EXPECT_EQ(trimmed(sale["029-002"]), "CARTAO 601200******0002");
    EXPECT_EQ(trimmed(sale["029-006"]), "VALOR LIQUIDO                    18,02");
    for (int i = 0; i < lines; ++i)
        EXPECT_LE(trimmed(sale.field("029-00" + std::to_string(i))).size(), 38u);
    EXPECT_EQ(sale.item("902", 0), productCode(1));
    EXPECT_EQ(sale.item("905", 0), "002");
    EXPECT_EQ(sale.item("912", 0), "0000720");
    EXPECT_EQ(sale.item("919", 0), "00");
    EXPECT_EQ(sale.item("919", 1), "41");
    EXPECT_THAT(stateOf(nsu), HasSubstr("kind=sale state=pending"));

    StationAnswer confirmed = send(common("0202", "800300", nsu));
    EXPECT_EQ(confirmed["009-000"], "00");
    EXPECT_THAT(stateOf(nsu), HasSubstr("state=confirmed"));
    EXPECT_EQ(send(common("0202", "800300", "999999"))["009-000"], "58");
}

// A station that lost the answer to its confirmation or reversal sends it
// again; the host says it was done already (94), echoes the NSU and changes
// nothing, and a confirmation and a reversal of one transaction never both
// succeed.
TEST_P(TransactionTest, ARepeatedConfirmationOrReversalIsAnsweredAsAlreadyDone) {
    struct Case {
        const char* done;      // the message that finished the transaction
        const char* message;   // the answer to its repeat
        const char* contrary;  // the other message, now too late
        const char* state;
    };
    int card = 9;
    for (const Case& c : {Case{"0202", "Transacao ja confirmada", "0420", "state=confirmed"},
                          Case{"0420", "Transacao ja desfeita", "0202", "state=reversed"}}) {
        SCOPED_TRACE(c.done);
        const std::string nsu = sell(cardNumber(card), {{productCode(card), 1}});
        ++card;
        ASSERT_EQ(send(common(c.done, "800300", nsu))["009-000"], "00");
        const size_t lines = host().stateHistory(six(nsu)).size();

        StationAnswer again = send(common(c.done, "800300", nsu));
        EXPECT_EQ(again["009-000"], "94");
        EXPECT_EQ(again["030-000"], c.message);
        EXPECT_EQ(nsuOf(again), nsu);
        StationAnswer late = send(common(c.contrary, "800300", nsu));
        EXPECT_EQ(late["009-000"], "59");
        EXPECT_EQ(nsuOf(late), nsu);
        EXPECT_EQ(host().stateHistory(six(nsu)).size(), lines);
        EXPECT_THAT(stateOf(nsu), HasSubstr(c.state));
    }

    // A cancellation's reversal, repeated, gives its units back only once.
    const std::string sale = sell(cardNumber(11), {{productCode(3), 2}});
    ASSERT_EQ(send(common("0202", "800300", sale))["009-000"], "00");
    StationAnswer cancelled = send(cancellation(sale, {{productCode(3), 1}}));
    ASSERT_EQ(cancelled["009-000"], "00");
    const size_t saleLines = host().stateHistory(six(sale)).size();
    ASSERT_EQ(send(common("0420", "800400", nsuOf(cancelled)))["009-000"], "00");
    EXPECT_EQ(send(common("0420", "800400", nsuOf(cancelled)))["009-000"], "94");
    EXPECT_EQ(host().stateHistory(six(sale)).size(), saleLines + 1);
    EXPECT_THAT(stateOf(sale), HasSubstr("items=" + productCode(3) + "/1/2/0/00"));
}

TEST_P(TransactionTest, ReversalUndoesTheSaleAndGivesThePreAuthorisationBack) {
    const std::string pre = preAuthorise(cardNumber(3), {{productCode(1), 1}, {productCode(2), 4}});
    const std::string sale = sell(cardNumber(3), {{productCode(2), 3}});
    EXPECT_THAT(stateOf(pre), HasSubstr("state=used"));

    EXPECT_EQ(send(common("0420", "800300", sale))["009-000"], "00");
    EXPECT_THAT(stateOf(sale), HasSubstr("state=reversed"));
    EXPECT_THAT(stateOf(pre), HasSubstr("state=pending"));
    StationAnswer again = send(eligibility(cardNumber(3), "800500"));
    EXPECT_EQ(again["901-000"], "02");
    EXPECT_EQ(again.item("905", 1), "004");

    const std::string other = sell(cardNumber(4), {{productCode(3), 1}});
    ASSERT_EQ(send(common("0202", "800300", other))["009-000"], "00");
    StationAnswer late = send(common("0420", "800300", other));
    EXPECT_EQ(late["009-000"], "59");
    EXPECT_THAT(stateOf(other), HasSubstr("state=confirmed"));
}

TEST_P(TransactionTest, CancellationByItemsAndInTotalAndItsReversal) {
    const std::string sale = sell(cardNumber(5), {{productCode(1), 3}, {productCode(2), 1}});
    ASSERT_EQ(send(common("0202", "800300", sale))["009-000"], "00");

    StationAnswer partial = send(cancellation(sale, {{productCode(1), 2}}));
    EXPECT_EQ(partial["009-000"], "00");
    const std::string first = nsuOf(partial);
    EXPECT_NE(first, sale);
    EXPECT_GT(partial.receiptLineCount(), 0);
    EXPECT_EQ(partial.item("919", 0), "00");
    EXPECT_THAT(stateOf(sale), HasSubstr("state=confirmed"));
    EXPECT_THAT(stateOf(sale), HasSubstr("/1/3/2/00,"));
    EXPECT_THAT(stateOf(first), HasSubstr("kind=cancellation state=pending"));

    StationAnswer tooMany = send(cancellation(sale, {{productCode(2), 5}}));
    EXPECT_EQ(tooMany["009-000"], "40");
    EXPECT_EQ(tooMany.item("919", 0), "44");

    StationAnswer total = send(cancellation(sale, {}));
    EXPECT_EQ(total["009-000"], "00");
    const std::string second = nsuOf(total);
    EXPECT_THAT(stateOf(sale), HasSubstr("state=cancelled"));
    EXPECT_EQ(send(cancellation(sale, {}))["009-000"], "59");
    EXPECT_EQ(send(cancellation(second, {}))["009-000"], "59");
    EXPECT_EQ(send(cancellation("999999", {}))["009-000"], "58");

    EXPECT_EQ(send(common("0420", "800400", second))["009-000"], "00");
    EXPECT_THAT(stateOf(sale), HasSubstr("state=confirmed"));
    EXPECT_THAT(stateOf(sale), HasSubstr("/1/3/2/00,"));
    EXPECT_EQ(send(common("0202", "800400", first))["009-000"], "00");
    EXPECT_THAT(stateOf(first), HasSubstr("state=confirmed"));
}

TEST_P(TransactionTest, ProductQueryPagesThroughTheMatches) {
    StationAnswer page0 = send(productQuery("produto", 0));
    EXPECT_EQ(page0["009-000"], "00");
    EXPECT_EQ(page0["900-000"], "1");
    EXPECT_EQ(page0["901-000"], "12");
    EXPECT_EQ(trimmed(page0.item("903", 0)), "PRODUTO 01");
    EXPECT_EQ(trimmed(page0.item("904", 11)), "LAB");
    EXPECT_EQ(page0.item("910", 11), "0001012");
    EXPECT_EQ(send(productQuery("produto", 1))["900-000"], "2");
    StationAnswer last = send(productQuery("produto", 2));
    EXPECT_EQ(last["900-000"], "0");
    EXPECT_EQ(last["901-000"], "06");
    EXPECT_EQ(last.item("902", 5), productCode(30));

    StationAnswer byCode = send(productQuery("789100000002", 0));
    EXPECT_EQ(byCode["901-000"], "10");
    EXPECT_EQ(byCode["900-000"], "0");
    StationAnswer none = send(productQuery("XAROPE", 0));
    EXPECT_EQ(none["009-000"], "41");
    EXPECT_EQ(none["901-000"], "00");
}

TEST_P(TransactionTest, RegistrationChangeIsRecorded) {
    StationAnswer answer = send(common("0800", "388100").add("990-000", "DIST01"));
    EXPECT_EQ(answer["009-000"], "00");
    bool logged = false;
    for (const std::string& line : host().logLines())
        logged = logged ||
                 line == "till STATE registration establishment=000000000012345 distributor=DIST01";
    EXPECT_TRUE(logged);
    StationAnswer missing = send(common("0800", "388100"));
    EXPECT_EQ(missing["009-000"], "99");
    EXPECT_THAT(missing["030-000"], HasSubstr("990-000"));
}

TEST_P(TransactionTest, LogonIsAcceptedAndOtherKindsGetTheDefaultReply) {
    EXPECT_EQ(roundTrip(host().port("till"), vtx::wire::plainFrame("LOGIN|")).received,
              "0011009-000=00;");
    StationAnswer answer = send(common("0200", "123456"));
    EXPECT_EQ(answer["009-000"], "00");
    EXPECT_EQ(nsuOf(answer), "1");
    EXPECT_THAT(answer.message(),
                StartsWith(iso() ? "0210" : "000-000=0200;011-000=123456;009-000=00;"));
}

TEST_P(TransactionTest, UnreadableRequestsAreAnsweredAndServingGoesOn) {
    const int port = host().port("till");
    // Bit 63 announces 999 characters and brings 3.
    Exchange garbage = roundTrip(port, vtx::wire::plainFrame("02000000000000000002999abc"));
    ASSERT_GE(garbage.received.size(), 4u);
    StationAnswer unread(garbage.received.substr(4), true);
    EXPECT_THAT(unread.message(), StartsWith("0210"));
    EXPECT_THAT(unread.message(), HasSubstr("Erro de formatacao na mensagem"));
    EXPECT_EQ(unread["009-000"], "");  // the stations read nothing from such an answer

    StationAnswer noCard = send(common("0100", "800000"));
    EXPECT_EQ(noCard["009-000"], "99");
    EXPECT_THAT(noCard["030-000"], HasSubstr("953-000"));
    EXPECT_EQ(send(eligibility(kMaria, "800000", "03123"))["009-000"], "00");
}

TEST_P(TransactionTest, ConcurrentSalesOfDifferentCardsDoNotMix) {
    constexpr int kCards = 8;
    std::vector<std::string> sales(kCards);
    std::vector<std::string> readBack(kCards);
    std::vector<std::thread> tills;
    for (size_t c = 0; c < readBack.size(); ++c) {
        tills.emplace_back([&, c] {
            const int card = static_cast<int>(c) + 1;
            preAuthorise(cardNumber(card),
                         {{productCode(card), card}, {productCode(card + 10), 1}});
            StationAnswer opened = send(eligibility(cardNumber(card), "800500"));
            readBack[c] = opened.item("902", 0) + opened.item("905", 0) + opened.item("902", 1) +
                          opened["901-000"];
            sales[c] = nsuOf(opened);
            send(batch(true, sales[c], {{productCode(card), card}}, false));
            send(common("0202", "800300", sales[c]));
        });
    }
    for (std::thread& t : tills) t.join();
    for (size_t c = 0; c < readBack.size(); ++c) {
        SCOPED_TRACE(c);
        const int card = static_cast<int>(c) + 1;
        char quantity[12];
        std::snprintf(quantity, sizeof quantity, "%03d", card);
        EXPECT_EQ(readBack[c], productCode(card) + quantity + productCode(card + 10) + "02");
        EXPECT_THAT(stateOf(sales[c]),
                    HasSubstr("state=confirmed card=601200******" + cardNumber(card).substr(12)));
    }
}

INSTANTIATE_TEST_SUITE_P(BothForms, TransactionTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& testInfo) {
                             return testInfo.param ? "Iso" : "Text";
                         });

}  // namespace
}  // namespace vtx::hostsim::test

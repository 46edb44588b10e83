// Faults aimed at chosen requests (keys FaultOn, FaultCount), and what each
// fault leaves in the host's record: a station that never heard an answer
// must find the host as it acted (close-after, delay) or as it was
// (close-before). Both message forms.
#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "Eventually.h"
#include "Frames.h"
#include "TransactionFixture.h"

namespace vtx::hostsim::test {
namespace {

using ::testing::HasSubstr;

class SelectiveFaultTest : public TransactionFixture {
protected:
    void SetUp() override {}  // each test starts the host with its own fault

    void startWith(std::string fault, std::string on, long count = 0, int delayMs = 0) {
        till_.fault = std::move(fault);
        till_.faultOn = std::move(on);
        till_.faultCount = count;
        till_.delayMs = delayMs;
        TransactionFixture::SetUp();
    }

    // The exchange as the station's socket sees it, reply or none.
    Exchange exchange(const StationRequest& request) {
        return roundTrip(host().port("till"), vtx::wire::plainFrame(request.in(iso())));
    }

    // An answered, unconfirmed sale of one unit of product `n`; its NSU.
    std::string sell(int card, int n) {
        StationAnswer opened = send(eligibility(cardNumber(card), "800500"));
        const std::string nsu = nsuOf(opened);
        EXPECT_EQ(send(batch(true, nsu, {{productCode(n), 1}}, false))["009-000"], "00");
        return nsu;
    }

    std::string stateOf(const std::string& nsu) { return host().transactionState(six(nsu)); }

    // How many of the transaction's STATE lines hold `text`.
    size_t timesLogged(const std::string& nsu, const std::string& text) {
        const std::vector<std::string> history = host().stateHistory(six(nsu));
        return static_cast<size_t>(std::count_if(history.begin(), history.end(), [&](auto& line) {
            return line.find(text) != std::string::npos;
        }));
    }

    size_t logLinesWith(const std::string& text) {
        const std::vector<std::string> lines = host().logLines();
        return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](auto& line) {
            return line.find(text) != std::string::npos;
        }));
    }
};

TEST_P(SelectiveFaultTest, TheFirstConfirmationIsLostAfterTheHostActedAndItsRetryIsAlreadyDone) {
    ASSERT_NO_FATAL_FAILURE(startWith("close-after", "0202", 1));
    const std::string sale = sell(1, 1);  // eligibility and sale are not aimed at

    Exchange lost = exchange(common("0202", "800300", sale));
    EXPECT_TRUE(lost.closedByHost);
    EXPECT_EQ(lost.received, "");
    EXPECT_THAT(stateOf(sale), HasSubstr("state=confirmed"));
    EXPECT_EQ(logLinesWith("till FAULT close-after"), 1u);

    StationAnswer retry = send(common("0202", "800300", sale));
    EXPECT_EQ(retry["009-000"], "94");
    EXPECT_EQ(nsuOf(retry), sale);
    EXPECT_EQ(timesLogged(sale, "state=confirmed"), 1u);

    // The one fault is spent: the next confirmation gets its answer.
    const std::string next = sell(2, 2);
    EXPECT_EQ(send(common("0202", "800300", next))["009-000"], "00");
    EXPECT_EQ(logLinesWith("till FAULT"), 1u);
}

TEST_P(SelectiveFaultTest, CloseBeforeDropsOnlyTheListedKindsAndTheHostNeverActsOnThem) {
    ASSERT_NO_FATAL_FAILURE(startWith("close-before", "0200/800400, 0420"));
    const std::string sale = sell(3, 3);  // 0200 with another processing code: answered
    ASSERT_EQ(send(common("0202", "800300", sale))["009-000"], "00");
    const size_t saleLines = host().stateHistory(six(sale)).size();

    Exchange cancel = exchange(cancellation(sale, {}));
    EXPECT_TRUE(cancel.closedByHost);
    EXPECT_EQ(cancel.received, "");
    EXPECT_EQ(host().stateHistory(six(sale)).size(), saleLines);
    EXPECT_THAT(stateOf(sale), HasSubstr("state=confirmed"));

    const std::string other = sell(4, 4);
    EXPECT_EQ(exchange(common("0420", "800300", other)).received, "");
    EXPECT_THAT(stateOf(other), HasSubstr("state=pending"));
    EXPECT_EQ(logLinesWith("till FAULT close-before"), 2u);

    // A session login has no message code, so no list aims at it.
    EXPECT_EQ(roundTrip(host().port("till"), vtx::wire::plainFrame("LOGIN|")).received,
              "0011009-000=00;");
}

TEST_P(SelectiveFaultTest, ADelayedSaleWhoseStationGoesAwayIsStillPendingAtTheHost) {
    ASSERT_NO_FATAL_FAILURE(startWith("delay", "0200/800300", 0, 600000));
    StationAnswer opened = send(eligibility(cardNumber(5), "800500"));
    const std::string sale = nsuOf(opened);
    ASSERT_FALSE(sale.empty());
    {
        HeldConnection station(
            host().port("till"),
            vtx::wire::plainFrame(batch(true, sale, {{productCode(5), 2}}, false).in(iso())));
        ASSERT_TRUE(station.connected());
        // The host acts, and logs it, before the wait: the answer is still out.
        EXPECT_TRUE(vtx::test::eventually(
            [&] { return stateOf(sale).find("state=pending") != std::string::npos; }));
        EXPECT_EQ(logLinesWith("till FAULT delay: 600000 ms"), 1u);
    }  // the station gives up

    EXPECT_EQ(send(common("0202", "800300", sale))["009-000"], "00");
    EXPECT_THAT(stateOf(sale), HasSubstr("state=confirmed"));
}

TEST_P(SelectiveFaultTest, FaultCountHoldsForRequestsArrivingTogether) {
    constexpr int kTills = 8;
    constexpr long kDropped = 3;
    ASSERT_NO_FATAL_FAILURE(startWith("close-before", "0100/800100", kDropped));
    std::atomic<int> answered{0};
    std::latch go(kTills);
    std::vector<std::thread> tills;
    for (int i = 0; i < kTills; ++i) {
        tills.emplace_back([&] {
            go.arrive_and_wait();
            if (!exchange(productQuery("produto", 0)).received.empty()) ++answered;
        });
    }
    for (std::thread& t : tills) t.join();

    EXPECT_EQ(answered.load(), kTills - kDropped);
    EXPECT_EQ(logLinesWith("till FAULT close-before"), static_cast<size_t>(kDropped));
}

INSTANTIATE_TEST_SUITE_P(BothForms, SelectiveFaultTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& testInfo) {
                             return testInfo.param ? "Iso" : "Text";
                         });

}  // namespace
}  // namespace vtx::hostsim::test

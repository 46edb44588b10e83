// Fixture for the transaction tests: a host with a data folder of test
// cards and products, and the requests a station sends, in the form the
// test parameter chooses (true: ISO 8583).
//
// Cards: 6012345678901234 (MARIA DA SILVA, identification field 1 "123"),
// 6099999999999999 (blocked), 60120000000000nn for nn = 01..16 (no
// identification). Products: codes 7891000000001-7891000000030, type "1",
// "PRODUTO nn", gross 1000 + nn cents, 10 % discount, collect 80 % of net;
// kLimited (gross 2000, at most 2 units per item) and kRefused (status 45).
//
// Thread-safety: send() and the builders may be called from any thread.
#pragma once

#include <string>
#include <vector>

#include "HostFixture.h"
#include "StationAnswer.h"
#include "StationRequest.h"

namespace vtx::hostsim::test {

struct AskedItem {
    std::string code;
    int quantity = 1;
    std::string type = "1";
};

class TransactionFixture : public HostFixture, public ::testing::WithParamInterface<bool> {
protected:
    static constexpr const char* kMaria = "6012345678901234";
    static constexpr const char* kBlocked = "6099999999999999";
    static constexpr const char* kLimited = "7892000000001";  // at most 2 units per item
    static constexpr const char* kRefused = "7892000000002";  // status 45

    void SetUp() override;

    bool iso() const { return GetParam(); }
    static std::string cardNumber(int n);   // 60120000000000nn
    static std::string productCode(int n);  // 78910000000nn

    StationAnswer send(const StationRequest& request);

    // The fields every request opens with; `nsu` empty leaves 012-000 out.
    StationRequest common(const std::string& type, const std::string& proc,
                          const std::string& nsu = "") const;
    StationRequest eligibility(const std::string& card, const std::string& proc,
                               const std::string& identification = "", int page = 0) const;
    // One batch of a pre-authorisation (sale = false) or a sale.
    StationRequest batch(bool sale, const std::string& nsu, const std::vector<AskedItem>& items,
                         bool more) const;
    StationRequest cancellation(const std::string& nsu, const std::vector<AskedItem>& items) const;
    StationRequest productQuery(const std::string& text, int page) const;

    // The NSU of an answer as a number's text, "000007" -> "7".
    static std::string nsuOf(StationAnswer& answer);
    // Six-digit form used by the STATE lines.
    static std::string six(const std::string& nsu);

    std::string dataFolder_;
    std::string administrator_;  // the port's key Administrator; set before SetUp()
    HostSimPort till_ = hostPort("till");  // the port's other keys; set before SetUp()
};

}  // namespace vtx::hostsim::test

#include "TransactionFixture.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Frames.h"

namespace vtx::hostsim::test {
namespace {

std::string digits(long value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*ld", width, value);
    return text;
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

std::string TransactionFixture::cardNumber(int n) {
    return "60120000000000" + digits(n, 2);
}

std::string TransactionFixture::productCode(int n) {
    return "78910000000" + digits(n, 2);
}

void TransactionFixture::SetUp() {
    dataFolder_ = folder_.path() + "/data";
    std::filesystem::create_directory(dataFolder_);
    std::string cards = std::string("[") + kMaria + "]\nName=MARIA DA SILVA\nField1=123\n[" +
                        kBlocked + "]\nBlocked=yes\n";
    for (int n = 1; n <= 16; ++n)
        cards += "[" + cardNumber(n) + "]\nName=CLIENTE " + digits(n, 2) + "\n";
    writeFile(dataFolder_ + "/cards.ini", cards);
    std::string products = "code;description;manufacturer;type;gross;discount;net;collect;status\n";
    for (int n = 1; n <= 30; ++n) {
        const long gross = 1000 + n;
        const long net = gross - gross / 10;
        products += productCode(n) + ";PRODUTO " + digits(n, 2) + ";LAB;1;" +
                    std::to_string(gross) + ";1000;" + std::to_string(net) + ";" +
                    std::to_string(net * 8 / 10) + ";\n";
    }
    // Item-level rules: a product authorised two units at most, and one the
    // host refuses.
    products += std::string(kLimited) + ";ITEM LIMITADO;LAB;1;2000;0;;;;2\n";
    products += std::string(kRefused) + ";ITEM RECUSADO;LAB;1;3000;0;;;45;\n";
    writeFile(dataFolder_ + "/products.csv", products);
    HostSimPort till = till_;
    till.administrator = administrator_;
    ASSERT_TRUE(startHost({till}, dataFolder_));
}

StationAnswer TransactionFixture::send(const StationRequest& request) {
    Exchange ex = roundTrip(host_->port("till"), vtx::wire::plainFrame(request.in(iso())));
    EXPECT_GE(ex.received.size(), 4u) << request.in(iso());
    return StationAnswer(ex.received.size() >= 4 ? ex.received.substr(4) : "", iso());
}

StationRequest TransactionFixture::common(const std::string& type, const std::string& proc,
                                          const std::string& nsu) const {
    StationRequest r;
    r.add("000-000", type).add("011-000", proc).add("001-000", iso() ? "001111" : "1111");
    r.add("040-000", "ADMTESTE").add("012-000", nsu.empty() ? "" : digits(std::stol(nsu), 12));
    r.add("940-000", "003").add("942-000", "000000000012345").add("941-000", "T4N8B6QX");
    return r.add("023-000", "101500").add("022-000", "0704");
}

StationRequest TransactionFixture::eligibility(const std::string& card, const std::string& proc,
                                               const std::string& identification, int page) const {
    StationRequest r = common("0100", proc);
    r.add("953-000", card);
    if (page != 0) {
        r.add("900-000", std::to_string(page));
        if (iso()) r.add("901-000", "00");
    }
    return r.add("949-000", identification);
}

StationRequest TransactionFixture::batch(bool sale, const std::string& nsu,
                                         const std::vector<AskedItem>& items, bool more) const {
    StationRequest r = common(sale ? "0200" : "0100", sale ? "800300" : "800200", nsu);
    r.add("002-000", sale ? "4455" : "");
    r.add("900-000", more ? "1" : "0").add("901-000", digits(static_cast<long>(items.size()), 2));
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string n = digits(static_cast<long>(i), 3);
        r.add("902-" + n, digits(std::stol(items[i].code), 13)).add("906-" + n, items[i].type);
        r.add("905-" + n, digits(items[i].quantity, 3)).add("910-" + n, "0001000");
        r.add("911-" + n, "0000900");
        if (sale && iso()) {
            r.add("912-" + n, "0000720")
                .add("909-" + n, "0001000")
                .add("914-" + n, std::string(14, ' '));
        } else {
            r.add("914-" + n, iso() ? "00" + std::string(14, ' ') : "00");
        }
    }
    return r;
}

StationRequest TransactionFixture::cancellation(const std::string& nsu,
                                                const std::vector<AskedItem>& items) const {
    StationRequest r = common("0200", "800400", nsu);
    r.add("900-000", "0").add("901-000", items.empty() ? "00" : (iso() ? "01" : "1"));
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string n = digits(static_cast<long>(i), 3);
        r.add("902-" + n, iso() ? digits(std::stol(items[i].code), 13) : items[i].code);
        r.add("906-" + n, items[i].type);
        r.add("905-" + n, iso() ? digits(items[i].quantity, 3) : std::to_string(items[i].quantity));
    }
    return r;
}

StationRequest TransactionFixture::productQuery(const std::string& text, int page) const {
    StationRequest r = common("0100", "800100", "5");
    r.add("900-000", std::to_string(page));
    if (iso()) r.add("901-000", "00");
    return r.add("920-000", text);
}

std::string TransactionFixture::nsuOf(StationAnswer& answer) {
    std::string text = answer.field("012-000");
    return text.empty() ? "" : std::to_string(std::stol(text));
}

std::string TransactionFixture::six(const std::string& nsu) {
    return digits(std::stol(nsu), 6);
}

}  // namespace vtx::hostsim::test

// The station's route file made from the medium's route records: every byte
// of each record as the local link or the address translation wants it.
#include "vtx/installer/RouteFileRewrite.h"

#include <gtest/gtest.h>

#include "ShiftCipher.h"

namespace vtx::install {
namespace {

std::string shiftEnciphered(std::string plain) {
    wire::shiftEncipher(plain.data(), plain.size(), wire::kRouteFileKey);
    return plain;
}

std::string deciphered(std::string stored) {
    wire::shiftDecipher(stored.data(), stored.size(), wire::kRouteFileKey);
    return stored;
}

// A plain 104-byte record.
std::string record(const std::string& code, const std::string& ip, const std::string& ports,
                   const std::string& link, const std::string& key) {
    auto col = [](std::string text, size_t width) {
        text.resize(width, ' ');
        return text;
    };
    std::string r = col(code, 8) + col(ip, 30) + col(ip + "2", 30) + ports + link + col(key, 20);
    EXPECT_EQ(r.size(), 104u);
    return r;
}

TEST(RouteFileRewriteTest, LocalLinkReplacesAddressesPortsLinkAndMasterKey) {
    const std::string first = record("DEMO0001", "200.1.2.3", "500250045002", "1050", "ABCDEFGHIJKLMNOPQRSZ");
    const std::string second = record("REDE0002", "200.9.9.9", "601260146012", "3101", "0123456789abcdefghij");
    RouteRewrite out = rewriteRoutes(shiftEnciphered(first + second), 1, "10.0.0.7", "5102");
    ASSERT_EQ(out.error, "");
    ASSERT_EQ(out.count, 2u);
    const std::string plain = deciphered(out.records);
    auto col = [](std::string text, size_t width) {
        text.resize(width, ' ');
        return text;
    };
    const std::string expected1 = "DEMO0001" + col("10.0.0.7", 30) + col("10.0.0.7", 30) +
                                  "510251025102" + "2300" + std::string(19, ' ') + "Z";
    const std::string expected2 = "REDE0002" + col("10.0.0.7", 30) + col("10.0.0.7", 30) +
                                  "510251025102" + "2300" + std::string(19, ' ') + "j";
    EXPECT_EQ(plain, expected1 + expected2);
}

TEST(RouteFileRewriteTest, AddressTranslationReplacesOnlyTheAddresses) {
    const std::string plain = record("DEMO0001", "200.1.2.3", "500250045002", "1050", "KEYKEYKEYKEYKEYKEYKE");
    RouteRewrite out = rewriteRoutes(shiftEnciphered(plain), 3,
                                     "nat.example.invalid.with.a.long.name.cut", "9999");
    ASSERT_EQ(out.count, 1u);
    std::string expected = plain;
    expected.replace(8, 60, std::string("nat.example.invalid.with.a.lon") +
                                "nat.example.invalid.with.a.lon");
    EXPECT_EQ(deciphered(out.records), expected);
}

TEST(RouteFileRewriteTest, ARecordOutsideBlankToLowerZEndsTheFile) {
    const std::string good = record("DEMO0001", "1.1.1.1", "500250045002", "1050", "");
    std::string end = good;
    end[0] = '{';  // just past "z"
    RouteRewrite out = rewriteRoutes(shiftEnciphered(good + end + good), 1, "127.0.0.1", "5002");
    EXPECT_EQ(out.count, 1u);
    EXPECT_EQ(out.records.size(), 104u);
    std::string blankCode = good;
    blankCode.replace(0, 8, "        ");
    EXPECT_EQ(rewriteRoutes(shiftEnciphered(blankCode), 1, "h", "1").count, 1u);
}

TEST(RouteFileRewriteTest, DamagedMediumFilesAreRefused) {
    const std::string good = record("DEMO0001", "1.1.1.1", "500250045002", "1050", "");
    EXPECT_NE(rewriteRoutes(shiftEnciphered(good).substr(0, 103), 1, "h", "1").error, "");
    EXPECT_NE(rewriteRoutes(shiftEnciphered(good + good.substr(0, 50)), 1, "h", "1").error, "");
    EXPECT_NE(rewriteRoutes("", 1, "h", "1").error, "");
    RouteRewrite out = rewriteRoutes(shiftEnciphered(std::string(104, '\x01')), 1, "h", "1");
    EXPECT_EQ(out.count, 0u);
    EXPECT_NE(out.error, "");
    EXPECT_EQ(out.records, "");
}

}  // namespace
}  // namespace vtx::install

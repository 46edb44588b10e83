// The audit's search finds a card number in each form it claims, and
// nothing in what the station's mask leaves of it.
#include "CardLeakSearch.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "CardMask.h"
#include "ShiftCipher.h"

namespace vtx::audit {
namespace {

const std::string kCard = "6012345678901234";

std::string hexOf(std::string_view bytes, const char* format) {
    std::string out;
    char pair[4];
    for (char c : bytes) {
        std::snprintf(pair, sizeof pair, format, static_cast<unsigned char>(c));
        out += pair;
    }
    return out;
}

std::string enciphered(std::string text, int key) {
    vtx::wire::shiftEncipher(text.data(), text.size(), key);
    return text;
}

TEST(CardLeakSearch, FindsTheNumberInEachWrittenForm) {
    const CardLeakSearch search({kCard});
    for (const char* text :
         {"953-000=6012345678901234;", "CARTAO 6012 3456 7890 1234", "6012-3456-7890-1234",
          "6012.3456.7890.1234", "6 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4",
          "6-0-1-2-3-4-5-6-7-8-9-0-1-2-3-4", "6.0.1.2.3.4.5.6.7.8.9.0.1.2.3.4",
          "\x02\x60\x12\x34\x56\x78\x90\x12\x34\x03"}) {
        EXPECT_FALSE(search.findIn(text).empty()) << text;
    }
}

TEST(CardLeakSearch, FindsTheNumberEncipheredAndAsHexOfEitherCase) {
    const CardLeakSearch search({kCard});
    const int key = vtx::wire::shiftKeyForPort(7713);
    const std::string frame = "0025000-000=0200;953-000=" + kCard + ";";
    const std::string cipher = enciphered(frame, key);
    ASSERT_EQ(cipher.find(kCard), std::string::npos);

    auto found = search.findIn("Envio Msg Cript =" + cipher);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front().key, key % 256);
    EXPECT_FALSE(found.front().hex);

    for (const char* format : {"%02X", "%02x", "%02X ", "%02x\n"}) {
        EXPECT_FALSE(search.findIn("RAW " + hexOf(frame, format)).empty()) << format;
        found = search.findIn("RAW " + hexOf(cipher, format));
        ASSERT_FALSE(found.empty()) << format;
        EXPECT_TRUE(found.front().hex);
        // An odd number of hex digits before the dump shifts its pairs.
        EXPECT_FALSE(search.findIn("A" + hexOf(cipher, format)).empty()) << format;
    }
    // A route file record's key, as the installer's files use.
    EXPECT_FALSE(search.findIn(enciphered(kCard, vtx::wire::kRouteFileKey)).empty());
}

TEST(CardLeakSearch, FindsNothingInWhatTheMaskLeaves) {
    const CardLeakSearch search({kCard, "6012345678905678"});
    const std::string text = "953-000=" + kCard +
                             ";CARTAO 6012 3456 7890 1234;6012-3456-7890-1234;" +
                             "6012345678905678=28121010000000000000\xe7"
                             "6012345678905678=2812101:";
    const std::string masked = vtx::wire::maskCardData(text);
    EXPECT_TRUE(search.findIn(masked).empty()) << masked;
    for (int key : {1, 71, 201, 255}) {
        const std::string cipher = enciphered(masked, key);
        EXPECT_TRUE(search.findIn(cipher).empty()) << key;
        EXPECT_TRUE(search.findIn(hexOf(cipher, "%02X")).empty()) << key;
    }
    // Another card's digits are not this card.
    EXPECT_TRUE(CardLeakSearch({kCard}).findIn("6012345678901235 6012345678905678").empty());
}

}  // namespace
}  // namespace vtx::audit

// Byte-exact checks of the wire codecs: frames, shift cipher, the DES frame
// (checked against OpenSSL's DES computed here), master key escapes, masking.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <gtest/gtest.h>
#include <openssl/des.h>

#include <cstring>
#include <string>

#include "CardMask.h"
#include "DesFrame.h"
#include "Frames.h"
#include "MasterKey.h"
#include "ShiftCipher.h"

using namespace vtx::wire;

namespace {

// Reference DES, independent of the code under test.
std::string refDes(const DesKey& key, std::string block, bool encrypt) {
    DES_cblock k;
    std::memcpy(k, key.data(), 8);
    DES_key_schedule ks;
    DES_set_key_unchecked(&k, &ks);
    DES_cblock in, out;
    std::memcpy(in, block.data(), 8);
    DES_ecb_encrypt(&in, &out, &ks, encrypt ? DES_ENCRYPT : DES_DECRYPT);
    return std::string(reinterpret_cast<char*>(out), 8);
}

std::string sessionKeyText() {
    return std::string(reinterpret_cast<const char*>(kSessionKey.data()), 8);
}

}  // namespace

TEST(Frames, PlainBinaryAndTpduLayouts) {
    EXPECT_EQ(plainFrame("ABCDE"), "0005ABCDE");
    std::string message(300, 'x');
    std::string binary = binaryLengthFrame(message);
    ASSERT_EQ(binary.size(), 302u);
    EXPECT_EQ(static_cast<unsigned char>(binary[0]), 300 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(binary[1]), 300 >> 8);

    std::string hundred(100, 'm');
    std::string tpdu = tpduFrame("AT", "OPER1", hundred);
    ASSERT_EQ(tpdu.size(), 119u);
    EXPECT_EQ(tpdu.substr(0, 4), "0115");
    EXPECT_EQ(tpdu.substr(4, 3), "AT ");
    EXPECT_EQ(tpdu.substr(7, 8), "OPER1   ");
    EXPECT_EQ(tpdu.substr(15, 4), "0100");
    EXPECT_EQ(tpdu.substr(19), hundred);

    std::string gw = gatewayTpduFrame(std::string("\x60\x00\x01\x00\x00", 5), "HELLO");
    ASSERT_EQ(gw.size(), 2u + 5 + 4 + 5);
    EXPECT_EQ(static_cast<unsigned char>(gw[0]), 14);
    EXPECT_EQ(gw[1], 0);
    EXPECT_EQ(gw.substr(7), "0005HELLO");
}

TEST(Frames, LengthParsingRejectsGarbage) {
    EXPECT_EQ(parseAsciiLength("3072"), 3072u);
    EXPECT_FALSE(parseAsciiLength("30a2"));
    EXPECT_FALSE(parseAsciiLength("-163"));
    EXPECT_FALSE(parseAsciiLength("12"));
    EXPECT_EQ(hexToBytes("6000A1ff"), std::string("\x60\x00\xA1\xFF", 4));
    EXPECT_FALSE(hexToBytes("600"));
    EXPECT_FALSE(hexToBytes("60zz"));
}

TEST(Frames, AnnouncedLengthReadsLeadingBlanksAndUpToFourDigits) {
    EXPECT_EQ(announcedLength("0045000-000=0200;"), 45u);
    EXPECT_EQ(announcedLength("  45"), 45u);
    EXPECT_EQ(announcedLength("3072"), 3072u);
    EXPECT_EQ(announcedLength("45ab"), 45u);  // up to the first other character
    EXPECT_EQ(announcedLength(" 4 5"), 4u);
    EXPECT_EQ(announcedLength("00451"), 45u);  // the fifth character is the message's
    EXPECT_EQ(announcedLength("-163"), 0u);
    EXPECT_EQ(announcedLength("    "), 0u);
    EXPECT_EQ(announcedLength("12"), 12u);
    EXPECT_EQ(announcedLength(""), 0u);
}

TEST(ShiftCipher, KeyIsLastThreeDigitsOfThePort) {
    EXPECT_EQ(shiftKeyForPort(5000), 0);
    EXPECT_EQ(shiftKeyForPort(5123), 123);
    EXPECT_EQ(shiftKeyForPort(12345), 345);
    EXPECT_EQ(shiftKeyForPort(80), 80);
    char text[5];
    shiftKeyText(5002, text);
    EXPECT_STREQ(text, "002");
}

TEST(ShiftCipher, EnciphersModulo256AndRoundTrips) {
    std::string data(
        "\x00\x10\xFF"
        "A",
        4);
    shiftEncipher(data.data(), data.size(), 71);
    EXPECT_EQ(static_cast<unsigned char>(data[0]), (0 - 71) & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(data[3]), ('A' - 71) & 0xFF);
    shiftDecipher(data.data(), data.size(), 71);
    EXPECT_EQ(data, std::string("\x00\x10\xFF"
                                "A",
                                4));

    std::string unchanged = "0005HELLO";
    shiftEncipher(unchanged.data(), unchanged.size(), shiftKeyForPort(5000));
    EXPECT_EQ(unchanged, "0005HELLO");
}

TEST(DesFrame, HeaderCarriesLengthSerialSessionKeyAndConstants) {
    DesKey master = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t header[kDesHeaderSize];
    buildDesHeader(master, "1234567\0", 100, header);
    EXPECT_EQ(header[0], 121);
    EXPECT_EQ(header[1], 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 2), 8), std::string("1234567\0", 8));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header + 10), 8),
              refDes(master, sessionKeyText(), true));
    const uint8_t trailer[5] = {0xE5, 0x00, 0x05, 0x00, 0x05};
    EXPECT_EQ(std::memcmp(header + 18, trailer, 5), 0);
    EXPECT_EQ(desPayloadLength(header), 100u);
    EXPECT_EQ(desSessionKey(master, header), kSessionKey);
}

TEST(DesFrame, PayloadBlockOrderFor7And8And9Bytes) {
    // 7 bytes travel in clear.
    std::string seven = "0003abc";
    std::string frame = buildDesFrame(kDefaultMasterKey, "\0\0\0\0\0\0\0\0", seven);
    EXPECT_EQ(frame.substr(kDesHeaderSize), seven);

    // 8 bytes: the one block is enciphered twice.
    std::string eight = "0004abcd";
    frame = buildDesFrame(kDefaultMasterKey, "\0\0\0\0\0\0\0\0", eight);
    EXPECT_EQ(frame.substr(kDesHeaderSize),
              refDes(kSessionKey, refDes(kSessionKey, eight, true), true));

    // 9 bytes: bytes 1-8 first, then the overlapping block 0-7.
    std::string nine = "0005abcde";
    std::string expected = nine;
    expected.replace(1, 8, refDes(kSessionKey, nine.substr(1, 8), true));
    expected.replace(0, 8, refDes(kSessionKey, expected.substr(0, 8), true));
    frame = buildDesFrame(kDefaultMasterKey, "\0\0\0\0\0\0\0\0", nine);
    EXPECT_EQ(frame.substr(kDesHeaderSize), expected);
}

TEST(DesFrame, DecipherUndoesEncipherForEveryLength) {
    for (size_t n = 0; n <= 40; ++n) {
        std::string payload;
        for (size_t i = 0; i < n; ++i) payload.push_back(static_cast<char>('a' + i % 26));
        std::string data = payload;
        encipherDesPayload(kSessionKey, reinterpret_cast<uint8_t*>(data.data()), n);
        if (n >= 8) {
            EXPECT_NE(data, payload) << n;
        }
        decipherDesPayload(kSessionKey, reinterpret_cast<uint8_t*>(data.data()), n);
        EXPECT_EQ(data, payload) << n;
    }
}

TEST(MasterKey, EscapesAndPartialTexts) {
    DesKey key = kDefaultMasterKey;
    decodeMasterKey("\\41\\zABCDEF", key);  // two escapes, then six plain characters
    EXPECT_EQ(key, (DesKey{0x41, 'z', 'A', 'B', 'C', 'D', 'E', 'F'}));

    key = kDefaultMasterKey;
    decodeMasterKey("xyz", key);  // three characters change only three bytes
    EXPECT_EQ(key, (DesKey{'x', 'y', 'z', 0x6B, 0x6B, 0x6B, 0x6B, 0x6B}));

    key = {};
    decodeMasterKey("\\fF\\4g12345678", key);  // hex pair any case; digit + non-hex gives both
    EXPECT_EQ(key, (DesKey{0xFF, '4', 'g', '1', '2', '3', '4', '5'}));
}

TEST(CardMask, KeepsFirstSixAndLastFourDigits) {
    EXPECT_EQ(maskCardData("953-000=4111111111111111;"), "953-000=411111******1111;");
    // A track: the number and the data after the separator are one run.
    EXPECT_EQ(maskCardData("T;4111111111111111=2512101000000?"),
              "T;411111**********=*********0000?");
    // Short numbers elsewhere stay readable; the card field is masked from 10 digits.
    EXPECT_EQ(maskCardData("012-000=000123;905-000=12;"), "012-000=000123;905-000=12;");
    EXPECT_EQ(maskCardData("953-000=12345678901;"), "953-000=123456*8901;");
}

TEST(CardMask, ProductCodesStayReadable) {
    EXPECT_EQ(maskCardData("902-000=7891234567890;953-000=6033120000001234;902-001=7890000000001;"),
              "902-000=7891234567890;953-000=603312******1234;902-001=7890000000001;");
}

TEST(CardMask, NumbersWrittenWithBlanksOrDashes) {
    EXPECT_EQ(maskCardData("Cartao 6012 0000 0000 0001 lido"), "Cartao 6012 00** **** 0001 lido");
    EXPECT_EQ(maskCardData("6012-0000-0000-0001"), "6012-00**-****-0001");
    EXPECT_EQ(maskCardData("[6012 0000-0000 0001]"), "[6012 00**-**** 0001]");
    EXPECT_EQ(maskCardData("3782 822463 10005"), "3782 82**** *0005");  // 15 digits
    EXPECT_EQ(maskCardData("6012000 0000 00001 999"), "601200* **** ****1 999");
    // A number followed by more digits (an expiry date) is no less a number.
    EXPECT_EQ(maskCardData("6012 0000 0000 0001 1225"), "6012 00** **** **** 1225");
    // The card field masks such numbers from 10 digits, like plain ones.
    EXPECT_EQ(maskCardData("953-000=6012 0000 0000 0001;"), "953-000=6012 00** **** 0001;");
    EXPECT_EQ(maskCardData("953-000=1234-5678-901;"), "953-000=1234-56*8-901;");
}

TEST(CardMask, BlanksAndDashesJoinOnlyWhatLooksLikeOneNumber) {
    // Twelve digits are no card number; two blanks or a blank and a dash part two numbers.
    EXPECT_EQ(maskCardData("1234 5678 9012"), "1234 5678 9012");
    EXPECT_EQ(maskCardData("6012  0000 0000 0001"), "6012  0000 0000 0001");
    EXPECT_EQ(maskCardData("601200 -0000000001"), "601200 -0000000001");
    // Field names never join a run through the "=" after them, so frames and
    // numbered fields read as before.
    const std::string frame = "0045000-000=0200;011-000=003000;940-000=003;905-000=12;";
    EXPECT_EQ(maskCardData(frame), frame);
    EXPECT_EQ(maskCardData("0115CHK00000001"), "0115CHK00000001");
    // Product codes stay readable however they are written.
    EXPECT_EQ(maskCardData("902-000=789 1234 5678 901;902-001=7890-0000-00001;"),
              "902-000=789 1234 5678 901;902-001=7890-0000-00001;");
    // Only a product code field keeps its digits: not "902-" inside other
    // text, and not the answer file's next lines after a product code line.
    EXPECT_EQ(maskCardData("28-99902-=\x01\x01" "6012345678901234"),
              "28-99902-=\x01\x01" "601234******1234");
    EXPECT_EQ(maskCardData("x902-000=6012345678901234"), "x902-000=601*********1234");
    EXPECT_EQ(maskCardData("902-000 = 7891234567890\r\n005-000 = 6274311234567890\r\n"),
              "902-000 = 7891234567890\r\n005-000 = 627431******7890\r\n");
    // A product field's name is no part of the digits written before it, so
    // masking twice changes nothing.
    const std::string beside = "6012 0000 902-000=1 and more";
    EXPECT_EQ(maskCardData(beside), beside);
    EXPECT_EQ(maskCardData(maskCardData(beside)), beside);
    // Tracks are masked as one run, as before.
    EXPECT_EQ(maskCardData("T;4111111111111111=2512101000000?"),
              "T;411111**********=*********0000?");
}

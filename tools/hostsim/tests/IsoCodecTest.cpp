// The ISO 8583 form and the item records, without a socket: what the host
// writes must be what the stations write, and nothing it is given may make
// it misbehave.
#include <gtest/gtest.h>

#include <random>

#include "FieldMessage.h"
#include "IsoMessage.h"
#include "IsoRecordLayout.h"
#include "IsoRequestReader.h"
#include "Paging.h"
#include "StationRequest.h"
#include "TextRequestReader.h"

namespace vtx::hostsim::test {
namespace {

TEST(IsoMessageTest, WritesAsTheStationsDo) {
    IsoMessage message("0200");
    message.set(3, "800300");
    message.set(32, "T1");
    EXPECT_EQ(message.serialize(), "0200200000010000000080030002T1");
    EXPECT_EQ(message.serialize(), StationRequest()
                                       .add("000-000", "0200")
                                       .add("011-000", "800300")
                                       .add("040-000", "T1")
                                       .iso());

    IsoMessage shaped("0210");
    shaped.set(11, "1111");                // fixed numeric: zeros on the left
    shaped.set(39, "7");                   // fixed alphanumeric: blanks on the right
    shaped.set(62, "x");                   // LLLVAR
    shaped.set(37, std::string(15, '9'));  // too long for a fixed bit: cut
    EXPECT_EQ(shaped.serialize(),
              "0210002000000A000004001111999999999999"
              "7 "
              "001x");
}

TEST(IsoMessageTest, ParseRefusesWhatItCannotRead) {
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"0200800000000000000012345678", "bit 1"},
        {"02000000000000000002"
         "1x",
         "bit 63: length"},
        {"02000000000000000002"
         "010abc",
         "bit 63: runs past"},
        {"0200200000000000000080030099", "2 bytes after"},
        {"02002000000000000000", "bit 3: runs past"},
        {"020020000000000000G0800300", "no message type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_FALSE(IsoMessage::parse(c.text, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(IsoMessageTest, DamagedInputEitherFailsOrReadsBackToTheSameText) {
    // Messages of the bits the host reads, with lengths that are often wrong.
    std::mt19937 random(8583);
    const int bits[] = {3, 11, 37, 39, 48, 55, 60, 63};
    const std::string alphabet = "0123456789 ;=-A\x01";
    auto chars = [&](size_t n) {
        std::string out;
        for (size_t i = 0; i < n; ++i) out += alphabet[random() % alphabet.size()];
        return out;
    };
    int parsed = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string bitmap(64, '0');
        std::string body;
        for (int bit : bits) {
            if (random() % 3 != 0) continue;
            bitmap[static_cast<size_t>(bit - 1)] = '1';
            const IsoBitFormat format = isoBitFormat(bit);
            size_t length = format.length == IsoLength::kFixed ? format.width : random() % 30;
            if (format.length == IsoLength::kLllvar) body += std::to_string(100 + length).substr(1);
            if (random() % 8 == 0) length += random() % 3;  // longer or shorter than announced
            if (random() % 8 == 0 && length > 0) --length;
            body += chars(length);
        }
        std::string hex;
        for (size_t i = 0; i < 64; i += 4)
            hex += "0123456789ABCDEF"[std::stoi(bitmap.substr(i, 4), nullptr, 2)];
        const std::string text = "0200" + hex + body;
        std::string error;
        std::optional<IsoMessage> message = IsoMessage::parse(text, error);
        if (!message) continue;
        ++parsed;
        EXPECT_EQ(message->serialize(), text);
        (void)readIsoRequest(*message, error);
    }
    EXPECT_GT(parsed, 1000);
    EXPECT_LT(parsed, 19000);
}

TEST(IsoRequestReaderTest, SplitsItemRecordsByTheRequestKind) {
    StationRequest sale;
    sale.add("000-000", "0200").add("011-000", "800300").add("012-000", "000000000042");
    sale.add("900-000", "0").add("901-000", "02");
    for (const char* code : {"0007891000001", "0007891000002"}) {
        sale.add("902-000", code)
            .add("906-000", "A")
            .add("905-000", "012")
            .add("910-000", "0001250");
        sale.add("911-000", "0001125").add("912-000", "0000900").add("909-000", "0001000");
        sale.add("914-000", std::string(14, ' '));
    }
    std::string error;
    auto message = IsoMessage::parse(sale.iso(), error);
    ASSERT_TRUE(message) << error;
    auto request = readIsoRequest(*message, error);
    ASSERT_TRUE(request) << error;
    EXPECT_EQ(request->nsu, 42);
    EXPECT_EQ(request->page, 0);
    ASSERT_EQ(request->items.size(), 2u);
    EXPECT_EQ(request->items[1].code, "0007891000002");
    EXPECT_EQ(request->items[1].quantity, 12);
    EXPECT_EQ(request->items[1].discount, 1000);
    EXPECT_EQ(request->items[1].collect, 900);

    message->set(63, std::string(message->bit(63)->substr(1)));
    EXPECT_FALSE(readIsoRequest(*message, error));
    EXPECT_NE(error.find("bit 63"), std::string::npos);
}

TEST(IsoRecordLayoutTest, AnswerRecordsPutEachGroupWhereTheStationsReadIt) {
    ProductItem item;
    item.code = "789";
    item.description = "DIPIRONA 500MG 20 COMPRIMIDOS";
    item.type = "1";
    item.quantity = 7;
    item.gross = 1250;
    item.status = "41";
    const std::string query = writeRecord(*answerLayout("0110800100"), item);
    EXPECT_EQ(query.substr(0, 33), "0000000000789DIPIRONA 500MG 20 CO");
    EXPECT_EQ(query.substr(53, 8), "10001250");
    EXPECT_EQ(query.substr(80), "41");
    const std::string cancelled = writeRecord(*answerLayout("0210800400"), item);
    EXPECT_EQ(cancelled,
              "00000000007891007"
              "41 ");
}

TEST(TextRequestReaderTest, ReadsItemsInTheOrderSentAndRepeatedGroups) {
    std::string text = "000-000=0200;011-000=800400;012-000=000000000042;";
    for (int group = 0; group < 2; ++group) {
        text += "900-000=0;901-000=1;";
        for (int i = 0; i < 12 - group * 11; ++i) {
            char item[80];
            std::snprintf(item, sizeof item, "902-%03d=%d;906-%03d=1;905-%03d=%d;", i,
                          100 + group * 12 + i, i, i, i + 1);
            text += item;
        }
    }
    text += "906-000=2;905-000=3;";  // an item whose code was left out
    HostRequest request = readTextRequest(FieldMessage(text));
    ASSERT_EQ(request.items.size(), 14u);
    EXPECT_EQ(request.items[11].code, "111");
    EXPECT_EQ(request.items[12].code, "112");
    EXPECT_EQ(request.items[12].quantity, 1);
    EXPECT_EQ(request.items[13].code, "");
    EXPECT_EQ(request.items[13].type, "2");
    EXPECT_EQ(request.nsu, 42);
}

TEST(PagingTest, PagesOfTwelveEndingAtPageNine) {
    auto span = [](size_t total, long page) {
        PageSpan s = pageSpan(total, page);
        return std::to_string(s.first) + "/" + std::to_string(s.count) + "/" +
               std::to_string(s.next);
    };
    EXPECT_EQ(span(25, 0), "0/12/1");
    EXPECT_EQ(span(25, 1), "12/12/2");
    EXPECT_EQ(span(25, 2), "24/1/0");
    EXPECT_EQ(span(25, 3), "0/0/0");
    EXPECT_EQ(span(24, 1), "12/12/0");
    EXPECT_EQ(span(500, 9), "108/12/0");
    EXPECT_EQ(span(500, 10), "0/0/0");
    EXPECT_EQ(span(5, -1), "0/0/0");
}

}  // namespace
}  // namespace vtx::hostsim::test

// Reading answer fields by key, text and ISO forms, and the leading-number parse.
#include <gtest/gtest.h>

#include "field/tests/QStringPrinter.h"

#include "field/GetCampo.h"
#include "field/LeadingNumber.h"
#include "field/Mensagem.h"

namespace vtx::client {
namespace {

// The buffer as the communication library returns it: 4-digit length,
// message, blanks up to 3072 characters.
QString answerBuffer(const QString& message) {
    return (QStringLiteral("%1").arg(message.size(), 4, 10, QChar('0')) + message)
        .leftJustified(3072, ' ');
}

QString line(const QString& text, int width) {
    return text.leftJustified(width, ' ');
}

TEST(GetCampoTexto, ReadsByKeyAndAbsentFieldsAreEmpty) {
    const QString answer = answerBuffer("009-000=00;030-000=OK;");
    EXPECT_EQ(getCampoTexto(answer, u"030-000").value, "OK");
    EXPECT_EQ(getCampoTexto(answer, u"009-000").value, "00");
    const FieldRead absent = getCampoTexto(answer, u"028-000");
    EXPECT_EQ(absent.value, "");
    EXPECT_FALSE(absent.fault);
}

TEST(GetCampoTexto, FirstOccurrenceWinsEvenInsideAnEarlierValue) {
    const QString answer = answerBuffer("030-000=X009-000=77;009-000=00;");
    EXPECT_EQ(getCampoTexto(answer, u"009-000").value, "77");
}

TEST(GetCampoTexto, KeyWithoutSemicolonIsAFault) {
    const QString answer = answerBuffer("009-000=00;030-000=TRUNC");
    const FieldRead read = getCampoTexto(answer, u"030-000");
    EXPECT_EQ(read.value, "");
    ASSERT_TRUE(read.fault);
    EXPECT_EQ(read.fault->procedure, "GetCampo");
    EXPECT_EQ(read.fault->text, "5 - Invalid procedure call or argument");
    EXPECT_EQ(getCampoTexto(answer, u"009-000").value, "00");
}

TEST(GetCampoIso, ReadsBackWhatTheMessageWrote) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0210");
    m.AdicionaCampo("011-000", "800300");
    m.AdicionaCampo("009-000", "00");
    m.AdicionaCampo("030-000", "APROVADA");
    m.AdicionaCampo("001-000", "1111");
    const QString answer = answerBuffer(m.MontaMensagemIso().text);
    int lines = 7;
    EXPECT_EQ(GetCampo(answer, u"009-000", true, lines).value, "00");
    EXPECT_EQ(GetCampo(answer, u"030-000", true, lines).value, "APROVADA");
    EXPECT_EQ(GetCampo(answer, u"011-000", true, lines).value, "800300");
    EXPECT_EQ(GetCampo(answer, u"001-000", true, lines).value, "001111");
    EXPECT_EQ(GetCampo(answer, u"040-000", true, lines).value, "");
    EXPECT_EQ(lines, 7);
}

TEST(LeBitIso, LengthPastTheDataIsTamanhoInvalido) {
    // Bits 3 and 62; bit 62 announces 50 characters and carries 5.
    const QString iso =
        "0210"
        "2000000000000004"
        "800300"
        "050"
        "CURTO";
    EXPECT_EQ(LeBitIso(3, iso), "800300");
    EXPECT_EQ(LeBitIso(62, iso), "Tamanho Inválido");
    EXPECT_EQ(LeBitIso(61, iso), "");  // absent

    // A truncated earlier bit spoils the later ones.
    EXPECT_EQ(LeBitIso(62, QString("0210"
                                   "2000000000000004"
                                   "8003")),
              "Tamanho Inválido");
    // A malformed bitmap or length reads as empty.
    EXPECT_EQ(LeBitIso(3, QString("0210"
                                  "20000000000000G4"
                                  "800300")),
              "");
    EXPECT_EQ(LeBitIso(62, QString("0210"
                                   "0000000000000004"
                                   "0X5ABCDE")),
              "");

    int lines = 0;
    const FieldRead read = getCampoIso(answerBuffer(iso), u"030-000", lines);
    EXPECT_EQ(read.value, "");
    ASSERT_TRUE(read.fault);
    EXPECT_EQ(read.fault->procedure, "GetCampo");
}

TEST(GetCampoIso, ReceiptLinesByOccurrenceKeepingTrailingBlanks) {
    const QString l1 = line("SUPERMERCADO EXEMPLO", 38);
    const QString l2 = line("CNPJ 00.000.000/0001-00", 38);
    const QString l3 = line("TOTAL 16,00", 38);
    // Bits 3 and 61; the last line's trailing blanks end the message.
    const QString answer = answerBuffer(
        "0210"
        "2000000000000008"
        "800300"
        "114" +
        l1 + l2 + l3);
    int lines = 0;
    EXPECT_EQ(getCampoIso(answer, u"029-002", lines).value, l3);  // characters 77-114
    EXPECT_EQ(getCampoIso(answer, u"029-000", lines).value, l1);
    EXPECT_EQ(getCampoIso(answer, u"029-003", lines).value, "");
}

TEST(GetCampoIso, ProductRecordsAfterTheReceiptPrefix) {
    const QString prefix = line("LINHA 1", 40) + line("LINHA 2", 40) + line("LINHA 3", 40);
    const QString item0 =
        "0000000000123"
        "A"
        "002"
        "0001000"
        "0000800"
        "0000800"
        "00200"
        "00";
    const QString item1 =
        "0000000000456"
        "B"
        "001"
        "0000500"
        "0000500"
        "0000000"
        "00000"
        "41";
    ASSERT_EQ(item0.size(), 45);
    // Bits 3, 60 and 63 of a sale answer (kind 0210800300).
    const QString answer = answerBuffer(
        "0210"
        "2000000000000012"
        "800300"
        "005"
        "0"
        "02"
        "03"
        "210" +
        prefix + item0 + item1);
    int lines = 0;
    EXPECT_EQ(getCampoIso(answer, u"900-000", lines).value, "0");
    EXPECT_EQ(getCampoIso(answer, u"901-000", lines).value, "02");
    EXPECT_EQ(lines, 0);
    EXPECT_EQ(getCampoIso(answer, u"028-000", lines).value, "03");
    EXPECT_EQ(lines, 3);

    EXPECT_EQ(getCampoIso(answer, u"902-000", lines).value, "0000000000123");
    EXPECT_EQ(getCampoIso(answer, u"905-000", lines).value, "002");
    EXPECT_EQ(getCampoIso(answer, u"909-000", lines).value, "00200");
    EXPECT_EQ(getCampoIso(answer, u"902-001", lines).value, "0000000000456");
    EXPECT_EQ(getCampoIso(answer, u"906-001", lines).value, "B");
    EXPECT_EQ(getCampoIso(answer, u"919-001", lines).value, "41");
    EXPECT_EQ(getCampoIso(answer, u"902-002", lines).value, "");
    // A group without a place in the layout reads the whole bit.
    EXPECT_EQ(getCampoIso(answer, u"903-000", lines).value, prefix + item0 + item1);
}

TEST(GetCampoIso, RecordsWithoutPrefixAndUnknownKinds) {
    // Records of 18 characters: code, item type, quantity, one more character.
    const QString items =
        "0000000000789"
        "U"
        "003"
        "0"
        "0000000000790"
        "U"
        "001"
        "0";
    int lines = 2;  // not used by this kind
    const QString cancel = answerBuffer(
        "0200"
        "2000000000000002"
        "800400"
        "036" +
        items);
    EXPECT_EQ(getCampoIso(cancel, u"902-001", lines).value, "0000000000790");
    EXPECT_EQ(getCampoIso(cancel, u"905-000", lines).value, "003");

    const QString other = answerBuffer(
        "0810"
        "2000000000000002"
        "999999"
        "036" +
        items);
    EXPECT_EQ(getCampoIso(other, u"902-001", lines).value, items);
}

TEST(GetCampoIso, FormatErrorEmptiesEveryFieldAndMissingCountResets) {
    const QString error = "Erro de formatacao na mensagem";
    // Bits 3, 39 and 60.
    const QString bad = answerBuffer(
        "0210"
        "2000000002000010"
        "800300"
        "12"
        "030" +
        error);
    int lines = 4;
    EXPECT_EQ(getCampoIso(bad, u"009-000", lines).value, "");
    EXPECT_EQ(getCampoIso(bad, u"028-000", lines).value, "");
    EXPECT_EQ(lines, 4);

    const QString noBit60 = answerBuffer(
        "0210"
        "2000000002000000"
        "800300"
        "12");
    EXPECT_EQ(getCampoIso(noBit60, u"009-000", lines).value, "12");
    EXPECT_EQ(getCampoIso(noBit60, u"028-000", lines).value, "");
    EXPECT_EQ(lines, 0);
}

TEST(LeadingNumber, ReadsTheLeadingInteger) {
    EXPECT_EQ(leadingNumber(u"05"), 5);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u"abc"), 0);
    EXPECT_EQ(leadingNumber(u"12abc"), 12);
    EXPECT_EQ(leadingNumber(u" 0 5"), 5);
    EXPECT_EQ(leadingNumber(u"-40"), -40);
    EXPECT_EQ(leadingNumber(u"12,50"), 12);
    EXPECT_EQ(leadingNumber(u"99999999999999999999999"), std::numeric_limits<qint64>::max());
}

}  // namespace
}  // namespace vtx::client

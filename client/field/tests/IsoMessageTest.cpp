// The ISO 8583 form of the field message and its tables.
#include <gtest/gtest.h>

#include <QStringList>

#include "field/tests/QStringPrinter.h"

#include "field/IsoTables.h"
#include "field/Mensagem.h"

namespace vtx::client {
namespace {

TEST(IsoTables, HaveTheirFixedShapes) {
    const QString types = QString::fromLatin1(kIsoBitTypes);
    const QString formats = QString::fromLatin1(kIsoBitFormats);
    const QString map = QString::fromLatin1(kGroupBitMap);
    const QString catalogue = QString::fromLatin1(kFieldCatalogue);
    ASSERT_EQ(types.size(), 64);
    ASSERT_EQ(formats.size(), 128);
    ASSERT_EQ(map.size(), 42 * 6);
    ASSERT_EQ(catalogue.size(), 45 * 7);

    // The map lists, in catalogue order, every catalogue group but 000, 013, 014.
    QStringList mapped;
    for (int i = 0; i < map.size(); i += 6) mapped << map.mid(i, 3);
    QStringList catalogued;
    for (int i = 0; i < catalogue.size(); i += 7) {
        const QString group = catalogue.mid(i, 3);
        if (group != "000" && group != "013" && group != "014") catalogued << group;
    }
    EXPECT_EQ(mapped, catalogued);
    EXPECT_EQ(catalogue.mid(38 * 7, 7), "948999A");
}

TEST(IsoTables, FormatAndTypeOfBits) {
    const Mensagem m;
    const std::pair<int, const char*> expected[] = {
        {1, "08N"},  {2, "2LN"},  {3, "06N"},  {11, "06N"}, {27, "01N"}, {30, "24N"}, {32, "2LN"},
        {36, "3LN"}, {37, "12A"}, {39, "02A"}, {41, "08N"}, {42, "15A"}, {43, "2LN"}, {44, "2LA"},
        {49, "03A"}, {53, "2LN"}, {56, "2LA"}, {57, "03A"}, {60, "3LA"}, {63, "3LA"}, {64, "08A"}};
    for (const auto& [bit, entry] : expected) {
        EXPECT_EQ(m.FormatoDoBit(bit) + m.TipoDoBit(bit), entry) << "bit " << bit;
    }
    EXPECT_EQ(m.BitDoCampo(u"040-000"), 32);
    EXPECT_EQ(m.BitDoCampo(u"920-003"), 63);
    EXPECT_EQ(m.BitDoCampo(u"013-000"), 0);
    EXPECT_EQ(m.BitDoCampo(u"000-000"), 0);
    // "110" occurs in the map text only across two entries ("001011" "002...").
    EXPECT_EQ(m.BitDoCampo(u"110-000"), 0);
}

TEST(MensagemIso, TypeBitmapAndShapedBits) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0200");
    m.AdicionaCampo("011-000", "800300");
    m.AdicionaCampo("040-000", "T1");
    m.AdicionaCampo("013-000", "123456");  // no bit: not sent
    EXPECT_EQ(m.MontaMensagemIso().text,
              "0200"
              "2000000100000000"
              "800300"
              "02T1");
}

TEST(MensagemIso, FillsShortFixedBitsByType) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0200");
    m.AdicionaCampo("001-000", "1111");  // bit 11, fixed 6 N
    m.AdicionaCampo("009-000", "7");     // bit 39, fixed 2 A
    EXPECT_EQ(m.MontaMensagemIso().text,
              "0200"
              "0020000002000000"
              "001111"
              "7 ");
}

TEST(MensagemIso, SharedBitConcatenatesInOrderAddedWithItsLength) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("902-000", "0000000000001");
    m.AdicionaCampo("040-000", QString(99, 'N'));  // the longest LLVAR
    m.AdicionaCampo("906-000", "A");
    m.AdicionaCampo("902-001", "0000000000002");
    // The flags of the pre-sale never strip characters from bit 63.
    m.setBit63Flags(true, false);
    EXPECT_EQ(m.MontaMensagemIso().text,
              "0100"
              "0000000100000002"
              "99" +
                  QString(99, 'N') +
                  "027"
                  "0000000000001"
                  "A"
                  "0000000000002");
}

// A value longer than its bit carries would shift every later bit for the
// reader: the message has no ISO form, only the fault, and its text form is
// unchanged.
TEST(MensagemIso, ValueLongerThanItsBitIsAFault) {
    const struct {
        const char* key;
        QString value;
        const char* fault;
    } cases[] = {
        {"942-000", QString(18, 'E'), "6 - Overflow: bit 42 com 18 caracteres, cabem 15"},
        {"012-000", QString(13, '1'), "6 - Overflow: bit 37 com 13 caracteres, cabem 12"},
        {"040-000", QString(100, 'N'), "6 - Overflow: bit 32 com 100 caracteres, cabem 99"},
        {"953-000", QString(2986, '4'), "6 - Overflow: bit 55 com 2986 caracteres, cabem 999"},
    };
    for (const auto& c : cases) {
        Mensagem m;
        m.AdicionaCampo("000-000", "0100");
        m.AdicionaCampo(c.key, c.value);
        m.AdicionaCampo("011-000", "800000");  // a later bit
        const IsoForm iso = m.MontaMensagemIso();
        EXPECT_EQ(iso.text, "") << c.key;
        ASSERT_TRUE(iso.fault) << c.key;
        EXPECT_EQ(iso.fault->procedure, "MontaMensagemIso");
        EXPECT_EQ(iso.fault->text, QString(c.fault));
        EXPECT_TRUE(m.MontaMensagemTexto().contains(QString(c.key) + "=" + c.value + ";"));
    }

    // The fields sharing bit 63 are measured together.
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("902-000", QString(500, '1'));
    m.AdicionaCampo("902-001", QString(500, '2'));
    ASSERT_TRUE(m.MontaMensagemIso().fault);
    EXPECT_EQ(m.MontaMensagemIso().fault->text,
              "6 - Overflow: bit 63 com 1000 caracteres, cabem 999");
}

TEST(MensagemIso, ValueThatFillsItsBitExactlyIsSent) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("012-000", "123456789012");     // bit 37, 12
    m.AdicionaCampo("942-000", "ESTABELECIMENTO");  // bit 42, 15
    m.AdicionaCampo("953-000", QString(999, '4'));  // bit 55, LLLVAR
    const IsoForm iso = m.MontaMensagemIso();
    EXPECT_FALSE(iso.fault);
    EXPECT_EQ(iso.text,
              "0100"
              "0000000008400200"
              "123456789012"
              "ESTABELECIMENTO"
              "999" +
                  QString(999, '4'));
}

TEST(MensagemIso, EmptyMessageIsEmptyText) {
    Mensagem m;
    EXPECT_EQ(m.MontaMensagemIso().text, "");
    m.AdicionaCampo("000-000", "0800");
    EXPECT_EQ(m.MontaMensagemIso().text,
              "0800"
              "0000000000000000");
}

}  // namespace
}  // namespace vtx::client

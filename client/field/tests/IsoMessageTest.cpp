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
    EXPECT_EQ(m.MontaMensagemIso(),
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
    EXPECT_EQ(m.MontaMensagemIso(),
              "0200"
              "0020000002000000"
              "001111"
              "7 ");

    m.AdicionaCampo("000-000", "0200");
    m.AdicionaCampo("011-000", "8003001");  // longer than fixed 6: sent whole
    EXPECT_EQ(m.MontaMensagemIso(),
              "0200"
              "2000000000000000"
              "8003001");
}

TEST(MensagemIso, SharedBitConcatenatesInOrderAddedWithItsLength) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("902-000", "0000000000001");
    m.AdicionaCampo("040-000", QString(100, 'N'));  // LLVAR above 99
    m.AdicionaCampo("906-000", "A");
    m.AdicionaCampo("902-001", "0000000000002");
    // The flags of the pre-sale never strip characters from bit 63.
    m.setBit63Flags(true, false);
    EXPECT_EQ(m.MontaMensagemIso(),
              "0100"
              "0000000100000002"
              "100" +
                  QString(100, 'N') +
                  "027"
                  "0000000000001"
                  "A"
                  "0000000000002");
}

TEST(MensagemIso, EmptyMessageIsEmptyText) {
    Mensagem m;
    EXPECT_EQ(m.MontaMensagemIso(), "");
    m.AdicionaCampo("000-000", "0800");
    EXPECT_EQ(m.MontaMensagemIso(),
              "0800"
              "0000000000000000");
}

}  // namespace
}  // namespace vtx::client

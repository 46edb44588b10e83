// Building a field message and its numbered-field text form.
#include <gtest/gtest.h>

#include "field/tests/QStringPrinter.h"

#include "field/Mensagem.h"

namespace vtx::client {
namespace {

TEST(MensagemTexto, LeavesOutEmptyValues) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0200");
    m.AdicionaCampo("009-000", "");
    m.AdicionaCampo("011-000", "800300");
    EXPECT_EQ(m.MontaMensagemTexto(), "000-000=0200;011-000=800300;");
    EXPECT_EQ(m.count(), 2);
}

TEST(MensagemTexto, CutsAndPadsKeysToSevenCharacters) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("011-0009", "800000");
    m.AdicionaCampo("11-000", "X");
    EXPECT_EQ(m.MontaMensagemTexto(), "000-000=0100;011-000=800000;11-000 =X;");
    EXPECT_EQ(m.campo(2)->chaveKY9(), "11-000 ");
}

TEST(MensagemTexto, MessageCodeStartsANewMessage) {
    Mensagem m;
    m.AdicionaCampo("000-000", "0100");
    m.AdicionaCampo("953-000", "6274000000000001");
    m.AdicionaCampo("000-000", "0202");
    m.AdicionaCampo("011-000", "800300");
    EXPECT_EQ(m.MontaMensagemTexto(), "000-000=0202;011-000=800300;");

    // Even an empty message code discards what was built.
    m.AdicionaCampo("000-000", "");
    EXPECT_EQ(m.count(), 0);
    EXPECT_EQ(m.MontaMensagemTexto(), "");
    ASSERT_NE(m.campo(0), nullptr);
    EXPECT_EQ(m.campo(0)->chaveKY9(), "000-000");
    EXPECT_EQ(m.campo(0)->conteudo(), "-1");
    EXPECT_EQ(m.campo(1), nullptr);
}

TEST(MensagemTexto, KeepsDuplicatesInOrderAndLinksEachFieldToThePrevious) {
    Mensagem m;
    m.IncluiCampo("009-000", "00");
    EXPECT_EQ(m.MontaMensagemTexto(), "009-000=00;");

    m.IncluiCampo("902-000", "123");
    m.IncluiCampo("902-000", "45");
    EXPECT_EQ(m.MontaMensagemTexto(), "009-000=00;902-000=123;902-000=45;");
    EXPECT_EQ(m.campo(0)->Proximo(), nullptr);
    EXPECT_EQ(m.campo(0)->Comprimento(), 0);
    EXPECT_EQ(m.campo(2)->Proximo(), m.campo(1));
    EXPECT_EQ(m.campo(1)->Proximo(), m.campo(0));
    EXPECT_EQ(m.campo(2)->Comprimento(), 2);
}

TEST(Mensagem, FieldBeyondTheLastSlotIsLostAndReported) {
    Mensagem m;
    ASSERT_FALSE(m.AdicionaCampo("000-000", "0100"));
    for (int i = 1; i < Mensagem::kMaxCampos; ++i) {
        ASSERT_FALSE(m.AdicionaCampo("902-000", "1"));
    }
    ASSERT_EQ(m.count(), Mensagem::kMaxCampos);
    const QString before = m.MontaMensagemTexto();

    const std::optional<Fault> fault = m.AdicionaCampo("903-000", "X");
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->procedure, "AdicionaCampo");
    EXPECT_EQ(fault->text, "9 - Subscript out of range");
    EXPECT_EQ(m.count(), Mensagem::kMaxCampos);
    EXPECT_EQ(m.MontaMensagemTexto(), before);

    // Building goes on: the next message starts clean.
    EXPECT_FALSE(m.AdicionaCampo("000-000", "0202"));
    EXPECT_EQ(m.MontaMensagemTexto(), "000-000=0202;");
}

}  // namespace
}  // namespace vtx::client

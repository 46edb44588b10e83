// The fakes that later test suites rely on behave as documented.
#include <gtest/gtest.h>

#include "core/testing/RecordingPrinter.h"
#include "core/testing/ScriptedDialogs.h"

namespace vtx::client {
namespace {

class NamedForm : public ModalForm {
public:
    QString formName() const override { return QStringLiteral("FormLogin"); }
    int exec() override {
        ++runs;
        return 1;
    }
    int runs = 0;
};

TEST(ScriptedDialogs, AnswersFromTheScriptThenFromThePreselectedButton) {
    testing::ScriptedDialogs dialogs;
    dialogs.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(dialogs.askYesNo(QStringLiteral("Confirma a Saída do Sistema"),
                                 QStringLiteral("Atenção"), MessageAnswer::No));
    EXPECT_FALSE(dialogs.askYesNo(QStringLiteral("Confirma a Saída do Sistema"),
                                  QStringLiteral("Atenção"), MessageAnswer::No));
    EXPECT_EQ(
        dialogs.showMessage(
            {QStringLiteral("t"), {}, MessageIcon::None, MessageButtons::OkCancel, std::nullopt}),
        MessageAnswer::Ok);
    dialogs.setFallbackAnswer(MessageAnswer::Cancel);
    EXPECT_EQ(
        dialogs.showMessage(
            {QStringLiteral("u"), {}, MessageIcon::None, MessageButtons::OkCancel, std::nullopt}),
        MessageAnswer::Cancel);

    ASSERT_EQ(dialogs.messages().size(), 4u);
    EXPECT_EQ(dialogs.messages()[1].answer, MessageAnswer::No);
    EXPECT_EQ(dialogs.messages()[1].request.icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("u"));
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST(ScriptedDialogs, ModalFormsNeverRunUnlessAHandlerDoes) {
    testing::ScriptedDialogs dialogs;
    NamedForm form;
    EXPECT_EQ(dialogs.showModal(form), 0);
    EXPECT_EQ(form.runs, 0);
    dialogs.onForm(QStringLiteral("formlogin"), [](ModalForm& f) { return f.exec() + 1; });
    EXPECT_EQ(dialogs.showModal(form), 2);
    EXPECT_EQ(dialogs.forms(),
              QStringList({QStringLiteral("FormLogin"), QStringLiteral("FormLogin")}));
}

TEST(RecordingPrinter, RecordsDocumentsAndFailsLikeAMissingPrinter) {
    testing::RecordingPrinter printer;
    EXPECT_FALSE(printer.printLine(QStringLiteral("outside")));
    ASSERT_TRUE(printer.beginDocument(true));
    ASSERT_TRUE(printer.setFont(QStringLiteral("Courier New"), 8, false));
    ASSERT_TRUE(printer.printLine(QStringLiteral("linha 1")));
    GridModel grid(1, 1);
    grid.setText(1, 1, QStringLiteral("x"));
    ASSERT_TRUE(printer.printGrid(grid, QStringLiteral("Lotes")));
    grid.setText(1, 1, QStringLiteral("changed"));
    ASSERT_TRUE(printer.endDocument());

    ASSERT_EQ(printer.events().size(), 5u);
    EXPECT_TRUE(printer.events()[0].flag);
    EXPECT_EQ(printer.events()[1].pointSize, 8);
    EXPECT_EQ(printer.events()[3].grid.text(1, 1), QStringLiteral("x"));
    EXPECT_EQ(printer.lines(), QStringList({QStringLiteral("linha 1")}));
    EXPECT_EQ(printer.documentsEnded(), 1);

    printer.failWith(QStringLiteral("Impressora não encontrada"));
    EXPECT_FALSE(printer.beginDocument(false));
    EXPECT_EQ(printer.lastError(), QStringLiteral("Impressora não encontrada"));
    EXPECT_EQ(printer.events().size(), 5u);
}

}  // namespace
}  // namespace vtx::client

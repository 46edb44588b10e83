#include "widgets/QtDialogs.h"
#include "widgets/Hourglass.h"
#include "widgets/QtTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace vtx::client;
using vtx::client::widgets::QtDialogs;

namespace {

// Runs `inspect` on the first message box that opens, from the event loop
// that the box's exec() runs.
void whenBoxOpens(std::function<void(QMessageBox&)> inspect) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [inspect, poll] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                inspect(*box);
                return;
            }
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

}  // namespace

TEST(QtDialogsTest, PreselectedNoIsTheDefaultButtonAndTheClickIsAnswered) {
    QtDialogs dialogs;
    QString title, text;
    bool noIsDefault = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenBoxOpens([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        noIsDefault = box.defaultButton() == box.button(QMessageBox::No);
        box.button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer = dialogs.showMessage(
        {QStringLiteral("Confirma a Saída do Sistema"), QStringLiteral("Atenção"),
         MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No});
    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_TRUE(noIsDefault);
    EXPECT_EQ(title, QStringLiteral("Atenção"));
    EXPECT_EQ(text, QStringLiteral("Confirma a Saída do Sistema"));
    EXPECT_EQ(icon, QMessageBox::Question);
}

TEST(QtDialogsTest, EnterPressesTheDefaultWhichIsTheFirstButtonWhenNoneIsGiven) {
    QtDialogs dialogs;
    bool retryIsDefault = false;
    whenBoxOpens([&](QMessageBox& box) {
        retryIsDefault = box.defaultButton() == box.button(QMessageBox::Retry);
        box.defaultButton()->click();
    });
    EXPECT_EQ(
        dialogs.showMessage({QStringLiteral("Tentar de novo?"), QStringLiteral("Atenção"),
                             MessageIcon::Warning, MessageButtons::RetryCancel, std::nullopt}),
        MessageAnswer::Retry);
    EXPECT_TRUE(retryIsDefault);
}

TEST(QtDialogsTest, EveryButtonSpeaksPortugueseWithoutQtTranslations) {
    QtDialogs dialogs;
    const std::pair<MessageButtons, QStringList> sets[] = {
        {MessageButtons::Ok, {QStringLiteral("OK")}},
        {MessageButtons::OkCancel, {QStringLiteral("OK"), QStringLiteral("Cancelar")}},
        {MessageButtons::YesNo, {QStringLiteral("Sim"), QStringLiteral("Não")}},
        {MessageButtons::YesNoCancel,
         {QStringLiteral("Sim"), QStringLiteral("Não"), QStringLiteral("Cancelar")}},
        {MessageButtons::RetryCancel, {QStringLiteral("Repetir"), QStringLiteral("Cancelar")}},
        {MessageButtons::AbortRetryIgnore,
         {QStringLiteral("Anular"), QStringLiteral("Repetir"), QStringLiteral("Ignorar")}},
    };
    for (const auto& [set, expected] : sets) {
        QStringList labels;
        whenBoxOpens([&labels](QMessageBox& box) {
            for (QAbstractButton* button : box.buttons()) labels << button->text();
            box.defaultButton()->click();
        });
        dialogs.showMessage({QStringLiteral("Texto"), QStringLiteral("Atenção"),
                             MessageIcon::Information, set, std::nullopt});
        labels.sort();
        QStringList sorted = expected;
        sorted.sort();
        EXPECT_EQ(labels, sorted);
    }
}

TEST(QtDialogsTest, QtsOwnTextsComeInPortugueseWhenTheTranslationsAreThere) {
    EXPECT_FALSE(vtx::client::widgets::installQtTranslations(QStringLiteral("/nonexistent")));
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_pt_BR.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    ASSERT_TRUE(vtx::client::widgets::installQtTranslations());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
    EXPECT_TRUE(vtx::client::widgets::installQtTranslations()) << "once is enough";
}

TEST(QtDialogsTest, ABoxShownWhileBusyHasTheNormalPointerAndTheBusyOneComesBack) {
    QtDialogs dialogs;
    vtx::client::setHourglass(true);
    bool normalOverTheBox = false;
    whenBoxOpens([&](QMessageBox& box) {
        normalOverTheBox = QGuiApplication::overrideCursor() == nullptr;
        box.defaultButton()->click();
    });
    dialogs.message(QStringLiteral("Cartão recusado"), QStringLiteral("Atenção"),
                    MessageIcon::Critical);
    EXPECT_TRUE(normalOverTheBox);
    EXPECT_TRUE(vtx::client::hourglassShown()) << "the request's handler goes on busy";
    vtx::client::setHourglass(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

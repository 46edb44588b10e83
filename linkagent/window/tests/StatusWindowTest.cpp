// The status dialog: fields changed from other threads, the exit question,
// hiding, and its place on the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <thread>

#include "StatusWindow.h"

namespace vtx::linkagent {
namespace {

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

struct Recorded {
    int exits = 0;
    int hangUps = 0;
    std::vector<std::pair<QString, QString>> questions;
    bool answer = false;
};

WindowActions recording(Recorded& r) {
    WindowActions a;
    a.exit = [&r] { ++r.exits; };
    a.hangUp = [&r] { ++r.hangUps; };
    a.confirm = [&r](const QString& title, const QString& text) {
        r.questions.emplace_back(title, text);
        return r.answer;
    };
    return a;
}

TEST(StatusWindow, FieldsChangedFromOtherThreadsShowAsText) {
    Recorded r;
    StatusWindow window(recording(r));
    std::thread relay([&] {
        window.show(StatusField::Connection, "Conectado");
        window.show(StatusField::Message, "Enviando erro [-163]");
        window.show(StatusField::DialUpDetail, "(678) Sem resposta");
        window.show(StatusField::Logon, "Recebendo Tabela UP.S07 \xe0 3");  // Windows-1252
    });
    relay.join();
    settle();
    EXPECT_EQ(window.fieldText(StatusField::Connection), "Conectado");
    EXPECT_EQ(window.fieldText(StatusField::Message), "Enviando erro [-163]");
    EXPECT_EQ(window.fieldText(StatusField::DialUpDetail), "(678) Sem resposta");
    EXPECT_EQ(window.fieldText(StatusField::Logon), QString::fromUtf8("Recebendo Tabela UP.S07 à 3"));
    EXPECT_EQ(window.fieldText(StatusField::Ftp), "");
}

TEST(StatusWindow, ExitAsksFirstAndOnlyYesCloses) {
    Recorded r;
    StatusWindow window(recording(r));
    window.exitButton()->click();
    ASSERT_EQ(r.questions.size(), 1u);
    EXPECT_EQ(r.questions[0].first, QString::fromUtf8("Confirma encerramento da aplicação"));
    EXPECT_EQ(r.questions[0].second,
              QString::fromUtf8("Essa aplicação é responsável pela comunicação de rede e rotinas "
                                "Administrativas realizadas pelo Vantorix. Você tem certeza de "
                                "que quer finalizar essa aplicação ?"));
    EXPECT_EQ(r.exits, 0);
    r.answer = true;
    window.exitButton()->click();
    EXPECT_EQ(r.exits, 1);
    window.hangUpButton()->click();
    EXPECT_EQ(r.hangUps, 1);
}

TEST(StatusWindow, HidesButNeverClosesByItsFrame) {
    Recorded r;
    StatusWindow window(recording(r));
    window.QDialog::show();
    window.hideButton()->click();
    EXPECT_FALSE(window.isVisible());
    window.QDialog::show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(r.exits, 0);
    // Without a notification area the dialog stays up when the listener
    // is ready: it could not be brought back otherwise.
    window.QDialog::show();
    window.listenerReady();
    EXPECT_EQ(window.isVisible(), !window.hasTrayIcon());
}

TEST(StatusWindow, SitsAtTheBottomRightAboveTheEdge) {
    Recorded r;
    StatusWindow window(recording(r));
    window.QDialog::show();
    window.placeAtCorner();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.right(), area.right());
    EXPECT_EQ(frame.bottom(), area.bottom() - StatusWindow::kBottomMargin);
}

}  // namespace
}  // namespace vtx::linkagent

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

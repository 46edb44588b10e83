// Screens inside the main window's screen area: placed, sized with the
// area, and holding the focus while they are in front.
#include "widgets/ScreenArea.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using vtx::client::widgets::placeInScreenArea;

TEST(ScreenArea, AModalScreenRunsInsideTheAreaWithTheFocusOffTheScreenBeneath) {
    QWidget window;
    window.resize(640, 450);
    auto* area = new QWidget(&window);
    area->setGeometry(0, 20, 640, 400);
    auto* beneath = new QPushButton(QStringLiteral("F8 - Pendentes"), area);
    window.show();
    beneath->setFocus();
    ASSERT_EQ(window.focusWidget(), beneath);

    QDialog screen(&window);
    auto* layout = new QVBoxLayout(&screen);
    layout->addWidget(new QLabel(QStringLiteral("Lote:")));
    auto* first = new QLineEdit;
    layout->addWidget(first);
    placeInScreenArea(screen, area);

    QWidget* focusWhileOpen = nullptr;
    QRect placed;
    bool isWindow = true;
    QTimer::singleShot(0, &screen, [&] {
        focusWhileOpen = window.focusWidget();
        placed = screen.geometry();
        isWindow = screen.isWindow();
        area->resize(600, 380);  // the area's size is the screen's
        screen.reject();
    });
    screen.exec();
    EXPECT_FALSE(isWindow);
    EXPECT_EQ(screen.parentWidget(), area);
    EXPECT_EQ(placed, QRect(0, 0, 640, 400));
    EXPECT_EQ(screen.size(), QSize(600, 380));
    EXPECT_EQ(focusWhileOpen, first) << "keys typed on the screen must not reach the one beneath";
}

TEST(ScreenArea, WithoutAnAreaTheScreenStaysAWindow) {
    QDialog screen;
    placeInScreenArea(screen, nullptr);
    EXPECT_TRUE(screen.isWindow());
}

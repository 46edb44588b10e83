#include "widgets/ScreenArea.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace vtx::client::widgets {
namespace {

// The first control of the screen that takes the focus by Tab, or the
// screen itself when it has none.
QWidget* firstControl(QWidget& screen) {
    for (QWidget* w = screen.nextInFocusChain(); w != &screen && screen.isAncestorOf(w);
         w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&screen) && w->isEnabled())
            return w;
    return &screen;
}

// Keeps the embedded screen the size of the area it fills, and gives it the
// focus each time it shows: the keys typed on it must reach it, not the
// screen beneath that had the focus (its function keys would run there).
class FillArea : public QObject {
public:
    FillArea(QWidget& screen, QWidget& area) : QObject(&screen), screen_(screen), area_(area) {
        area.installEventFilter(this);
        screen.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &area_ && event->type() == QEvent::Resize)
            screen_.setGeometry(area_.rect());
        if (watched == &screen_ && event->type() == QEvent::Show) {
            QWidget* focus = screen_.window()->focusWidget();
            if (focus == nullptr || (focus != &screen_ && !screen_.isAncestorOf(focus)))
                firstControl(screen_)->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }

private:
    QWidget& screen_;
    QWidget& area_;
};

}  // namespace

void placeInScreenArea(QWidget& screen, QWidget* area) {
    if (area == nullptr) return;
    screen.setParent(area, Qt::Widget);
    screen.setGeometry(area->rect());
    screen.setAutoFillBackground(true);
    new FillArea(screen, *area);
    screen.raise();
}

}  // namespace vtx::client::widgets

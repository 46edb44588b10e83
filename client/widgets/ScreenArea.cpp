#include "widgets/ScreenArea.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace vtx::client::widgets {
namespace {

// Keeps the embedded screen the size of the area it fills.
class FillArea : public QObject {
public:
    FillArea(QWidget& screen, QWidget& area) : QObject(&screen), screen_(screen) {
        area.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            screen_.setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

private:
    QWidget& screen_;
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

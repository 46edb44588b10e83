#include "ScreenshotRecorder.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace vtx::client {
namespace {

// Long enough for the screen's first paint after it is shown.
constexpr int kSettleMs = 150;

}  // namespace

ScreenshotRecorder::ScreenshotRecorder(QString folder, QMainWindow& mainWindow, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), mainWindow_(mainWindow) {
    QDir().mkpath(folder_);
    qApp->installEventFilter(this);
}

bool ScreenshotRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool screenInMain =
        widget->parentWidget() != nullptr && widget->parentWidget() == mainWindow_.centralWidget();
    if (!widget->isWindow() && !screenInMain) return false;
    if (widget->objectName().isEmpty() || widget->inherits("QMenu")) return false;
    QPointer<QWidget> screen(widget);
    QTimer::singleShot(kSettleMs, this, [this, screen] {
        if (screen && screen->isVisible()) save(screen);
    });
    return false;
}

void ScreenshotRecorder::save(QWidget* screen) {
    QWidget* pictured = screen->isWindow() ? screen : screen->window();
    const QString name = QStringLiteral("%1-%2.png")
                             .arg(++count_, 2, 10, QLatin1Char('0'))
                             .arg(screen->objectName());
    pictured->grab().save(QDir(folder_).filePath(name));
}

}  // namespace vtx::client

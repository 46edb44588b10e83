#include "app/ScreenshotRecorder.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vtx::client {
namespace {

// Long enough for the screen's first paint after it is shown.
constexpr int kSettleMs = 150;

// SIGUSR1 reaches the event loop through a pipe: the handler only writes a byte.
int signalPipe[2] = {-1, -1};

void onPictureSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

ScreenshotRecorder::ScreenshotRecorder(QString folder, QMainWindow& mainWindow, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), mainWindow_(mainWindow) {
    QDir().mkpath(folder_);
    qApp->installEventFilter(this);
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        signalNotifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
            char bytes[16];
            while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            // After the events already queued, so the window shows its last change.
            QTimer::singleShot(kSettleMs, this, [this] { saveFront(); });
        });
        struct sigaction action {};
        action.sa_handler = onPictureSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGUSR1, &action, nullptr);
    }
}

void ScreenshotRecorder::saveFront() {
    QWidget* front = QApplication::activeModalWidget();
    if (!front) front = QApplication::activeWindow();
    if (!front) front = &mainWindow_;
    // The main window is named after the screen it shows: the one raised
    // last (children are kept in stacking order, the top one last).
    if (front == &mainWindow_ && mainWindow_.centralWidget()) {
        const QList<QWidget*> screens = mainWindow_.centralWidget()->findChildren<QWidget*>(
            QString(), Qt::FindDirectChildrenOnly);
        for (auto it = screens.crbegin(); it != screens.crend(); ++it) {
            if ((*it)->isVisible() && !(*it)->objectName().isEmpty()) {
                front = *it;
                break;
            }
        }
    }
    save(front);
}

bool ScreenshotRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool screenInMain =
        widget->parentWidget() != nullptr && widget->parentWidget() == mainWindow_.centralWidget();
    if (!widget->isWindow() && !screenInMain) return false;
    if (widget->inherits("QMenu")) return false;
    if (widget->objectName().isEmpty() && !widget->inherits("QMessageBox")) return false;
    QPointer<QWidget> screen(widget);
    QTimer::singleShot(kSettleMs, this, [this, screen] {
        if (screen && screen->isVisible()) save(screen);
    });
    return false;
}

void ScreenshotRecorder::save(QWidget* screen) {
    QWidget* pictured = screen->isWindow() ? screen : screen->window();
    // Screens carry their form's name; a message box is named after its kind.
    QString what = screen->objectName();
    if (what.isEmpty()) what = QString::fromLatin1(screen->metaObject()->className());
    what.remove(QStringLiteral("::"));
    const QString name =
        QStringLiteral("%1-%2.png").arg(++count_, 2, 10, QLatin1Char('0')).arg(what);
    pictured->grab().save(QDir(folder_).filePath(name));
}

}  // namespace vtx::client

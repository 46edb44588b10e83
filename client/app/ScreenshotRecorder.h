// ScreenshotRecorder: saves a picture of every screen of the client as it is
// shown (option --screenshot DIR or environment VTX_SCREENSHOTS=DIR, see
// VtxClient.md). A screen inside the main window is pictured with the main
// window around it; a window of its own (a dialog) alone. Files are named
// NN-<screen>.png in the order shown. SIGUSR1 asks for a picture of the
// window in front now (the screen as the operator sees it at that moment).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>
#include <QString>

class QMainWindow;
class QSocketNotifier;
class QWidget;

namespace vtx::client {

class ScreenshotRecorder : public QObject {
public:
    // Watches every widget shown from now on; `folder` is created.
    ScreenshotRecorder(QString folder, QMainWindow& mainWindow, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void save(QWidget* screen);
    // The window in front: the modal one, else the active one, else the main window.
    void saveFront();

    QString folder_;
    QMainWindow& mainWindow_;
    int count_ = 0;
    QSocketNotifier* signalNotifier_ = nullptr;
};

}  // namespace vtx::client

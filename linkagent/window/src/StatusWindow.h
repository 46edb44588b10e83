// The connection manager's status dialog and its notification-area icon:
// the five status fields (message, connection, logon, FTP, dial-up detail)
// and the buttons exit (after a confirmation), hang up and hide. It sits at
// the bottom-right corner of the desktop, 30 pixels above the bottom edge;
// the icon's tip is "LinkAgent" and a double click on it shows or hides the
// dialog. Closing the dialog by its frame hides it, as the hide button does.
//
// The dialog only shows and asks: what exit and hang-up do is given as
// actions, run on the window's thread.
//
// Thread-safety: show() (the StatusBoard) may be called from any thread;
// the change reaches the dialog through its event loop. Everything else on
// the window's thread.
#pragma once

#include <QDialog>
#include <QSystemTrayIcon>
#include <array>
#include <functional>

#include "vtx/linkagent/AgentServices.h"

class QLabel;
class QPushButton;

namespace vtx::linkagent {

struct WindowActions {
    std::function<void()> exit;    // confirmed exit: close the program
    std::function<void()> hangUp;  // hang-up button
    // Asks the exit question; true when confirmed. A Yes/No message box
    // with No preselected when empty.
    std::function<bool(const QString& title, const QString& text)> confirm;
};

class StatusWindow : public QDialog, public StatusBoard {
public:
    static constexpr int kBottomMargin = 30;
    static const char* const kExitQuestion;
    static const char* const kExitTitle;

    explicit StatusWindow(WindowActions actions, QWidget* parent = nullptr);
    ~StatusWindow() override;

    // StatusBoard: Windows-1252 text into the field, from any thread.
    void show(StatusField field, const std::string& text) override;
    using QDialog::show;

    // The listener serves: the dialog hides, unless there is no notification
    // area to bring it back from.
    void listenerReady();

    QString fieldText(StatusField field) const;
    bool hasTrayIcon() const { return tray_ != nullptr; }

    // The buttons, for the keyboard and for tests.
    QPushButton* exitButton() const { return exit_; }
    QPushButton* hangUpButton() const { return hangUp_; }
    QPushButton* hideButton() const { return hide_; }

    // Places the dialog at the bottom-right corner of the available desktop.
    void placeAtCorner();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void askExit();
    void toggle();

    WindowActions actions_;
    std::array<QLabel*, 5> fields_{};
    QPushButton* exit_ = nullptr;
    QPushButton* hangUp_ = nullptr;
    QPushButton* hide_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
};

}  // namespace vtx::linkagent

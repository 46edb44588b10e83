// LogonReminder: the main window's timer that reminds the operator to log
// the terminal on. Each tick stops the timer and sets its interval to one
// minute, then reads [DADOS_GERAIS] "Ultimo_Login" of VtxClient.ini:
// - missing or empty: nothing more; the timer stays stopped for good;
// - not a date, or more than TimeOutLogin whole minutes ago: the logon
//   window opens (modally);
// and the timer runs again. The first tick comes 1 ms after start().
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

#include "core/EstruturaPrincipal.h"

namespace vtx::client {

class LogonReminder : public QObject {
public:
    LogonReminder(const EstruturaPrincipal& settings, std::function<QDateTime()> clock,
                  QObject* parent = nullptr);

    // The logon window; called from a tick when the reminder is due.
    void setShowLogon(std::function<void()> showLogon) { showLogon_ = std::move(showLogon); }

    // Arms the timer for its first tick (interval 1 ms).
    void start();
    // Enabled = the timer runs with its current interval.
    void setEnabled(bool enabled);
    bool isActive() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }

    // One tick; true when the logon window was shown.
    bool Timer1_Timer();

    // "Ultimo_Login" as a date and time: "dd/mm/yyyy hh:nn:ss", or the date
    // alone; invalid otherwise.
    static QDateTime parseUltimoLogin(const QString& text);

private:
    const EstruturaPrincipal& settings_;
    std::function<QDateTime()> clock_;
    std::function<void()> showLogon_;
    QTimer timer_;
};

}  // namespace vtx::client

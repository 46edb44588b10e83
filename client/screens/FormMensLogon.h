// FormMensLogon: the terminal logon window ("Logon"), opened modally by the
// administrative menu's logon command and by the main window's logon
// reminder. While it is open the reminder timer is stopped. On its first
// timer tick it sends the terminal logon request; when the host (or the
// connection manager) accepts it, [DADOS_GERAIS] "Ultimo_Login" of
// VtxClient.ini receives the current date and time ("dd/mm/yyyy hh:nn:ss"),
// so the reminder stays away for TimeOut_Login minutes. A failed logon
// leaves the key as it was. Then the window closes and the reminder runs
// again.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>
#include <QTimer>

#include "core/ClientSession.h"
#include "screens/MainFrame.h"

namespace vtx::client {

class FormMensLogon : public QDialog, public ModalForm {
public:
    FormMensLogon(ClientSession& session, MainFrame& frame, QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormMensLogon"); }
    // Form_Load, the logon on the first tick, and the close.
    int exec() override;

    // The timer's single tick: the logon; true when it was accepted.
    bool Timer1_Timer();

private:
    ClientSession& session_;
    MainFrame& frame_;
    QTimer timer_;
};

}  // namespace vtx::client

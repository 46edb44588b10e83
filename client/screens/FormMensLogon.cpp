#include "screens/FormMensLogon.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/IniAccess.h"
#include "messaging/MessageExchange.h"
#include "core/Guarded.h"
#include "widgets/FormHelpers.h"
#include "widgets/Hourglass.h"

namespace vtx::client {

FormMensLogon::FormMensLogon(ClientSession& session, MainFrame& frame, QWidget* parent)
    : QDialog(parent), session_(session), frame_(frame) {
    setObjectName(QStringLiteral("FormMensLogon"));
    setWindowTitle(QStringLiteral("Logon"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Efetuando o logon do terminal..."), this);
    label->setObjectName(QStringLiteral("lblMensagem"));
    layout->addWidget(label);
    timer_.setSingleShot(true);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        Timer1_Timer();
        accept();
    });
}

int FormMensLogon::exec() {
    frame_.setLogonReminderEnabled(false);
    adjustSize();
    widgets::CentralizaJanela(*this);
    timer_.start();
    const int result = QDialog::exec();
    frame_.setLogonReminderEnabled(true);
    return result;
}

bool FormMensLogon::Timer1_Timer() {
    timer_.stop();
    bool accepted = false;
    guarded(session_.reporter, "Timer1_Timer", [&] {
        {
            BusyPointer busy;
            if (!ProcessaLogon(session_)) return;
        }
        accepted = true;
        const QString now = session_.clock().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        if (!GravaLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("Ultimo_Login"),
                                  now, session_.settings.clientIni()))
            session_.reporter.TrataErro(QStringLiteral("Timer1_Timer"), 75,
                                        QStringLiteral("Path/File access error"));
    });
    return accepted;
}

}  // namespace vtx::client

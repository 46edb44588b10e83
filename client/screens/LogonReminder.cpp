#include "screens/LogonReminder.h"

#include "core/IniAccess.h"

namespace vtx::client {
namespace {

constexpr int kPrimeiroTique = 1;
constexpr int kUmMinuto = 60000;

}  // namespace

LogonReminder::LogonReminder(const EstruturaPrincipal& settings, std::function<QDateTime()> clock,
                             QObject* parent)
    : QObject(parent), settings_(settings), clock_(std::move(clock)) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void LogonReminder::start() {
    timer_.setInterval(kPrimeiroTique);
    timer_.start();
}

void LogonReminder::setEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

QDateTime LogonReminder::parseUltimoLogin(const QString& text) {
    const QString value = text.trimmed();
    for (const char* format :
         {"dd/MM/yyyy hh:mm:ss", "d/M/yyyy h:m:s", "dd/MM/yyyy hh:mm", "dd/MM/yyyy", "d/M/yyyy"}) {
        QDateTime when = QDateTime::fromString(value, QString::fromLatin1(format));
        if (when.isValid()) return when;
    }
    return {};
}

bool LogonReminder::Timer1_Timer() {
    timer_.stop();
    timer_.setInterval(kUmMinuto);
    QString value;
    if (!LeLinhaArquivoIni(QStringLiteral("DADOS_GERAIS"), QStringLiteral("Ultimo_Login"),
                           QString(), value, settings_.clientIni()))
        return false;
    const QDateTime last = parseUltimoLogin(value);
    const bool due = !last.isValid() || last.secsTo(clock_()) / 60 > settings_.TimeOutLogin;
    if (due && showLogon_) showLogon_();
    timer_.start();
    return due;
}

}  // namespace vtx::client

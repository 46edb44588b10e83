#include "core/ErrorReporter.h"

#include <QLoggingCategory>

namespace vtx::client {
namespace {

Q_LOGGING_CATEGORY(lcError, "vtx.client.error")

}  // namespace

void ErrorReporter::TrataErro(const QString& procedure, const QString& text) const {
    qCWarning(lcError).noquote() << procedure + QStringLiteral(": ") + text;
    if (settings_.TipoLog != QStringLiteral("M")) return;
    show(procedure, text);
}

void ErrorReporter::reportPrinterFault(const QString& procedure, const QString& text) const {
    qCWarning(lcError).noquote() << procedure + QStringLiteral(": ") + text;
    show(procedure, text);
}

void ErrorReporter::show(const QString& procedure, const QString& text) const {
    MessageRequest box;
    box.text = QStringLiteral("Ocorreu o erro: ") + text;
    box.title = settings_.TituloMensagem + procedure;
    box.icon = MessageIcon::Warning;
    box.buttons = MessageButtons::Ok;
    dialogs_.showMessage(box);
}

void ErrorReporter::TrataErro(const QString& procedure, int number,
                              const QString& description) const {
    TrataErro(procedure, description + QStringLiteral(" - ") + QString::number(number));
}

}  // namespace vtx::client

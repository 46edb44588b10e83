#include "sale/SaleControls.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "core/Dialogs.h"
#include "sale/SaleHost.h"
#include "widgets/ScreenArea.h"

namespace vtx::client::sale {

QPushButton* botao(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QString legenda(const CaptionEntry& entry, const QString& padrao) {
    return entry.caption.isEmpty() ? padrao : entry.caption;
}

void aplicaBotao(QPushButton& button, const CaptionEntry& entry, const QString& padrao) {
    button.setText(legenda(entry, padrao));
    button.setEnabled(entry.enabled());
}

void aceitaSoDigitos(QLineEdit& box) {
    static const QRegularExpression kDigits(QStringLiteral("[0-9]*"));
    box.setValidator(new QRegularExpressionValidator(kDigits, &box));
}

QString tituloComData(const ClientSession& session, const QString& titulo) {
    return titulo + session.clock().date().toString(QStringLiteral("dd/MM/yyyy"));
}

IdentificationField campoComplemento(const ClientSession& session) {
    const OperatorRecord* record = session.operadoras.at(session.settings.AdmSelecionada);
    return record != nullptr ? record->fields[2] : IdentificationField{};
}

int executaModal(ClientSession& session, const SaleHost& host, QWidget& widget, ModalForm& form) {
    widgets::placeInScreenArea(widget, host.screenArea);
    return session.dialogs.showModal(form);
}

}  // namespace vtx::client::sale

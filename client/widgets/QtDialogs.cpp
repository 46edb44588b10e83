#include "widgets/QtDialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "widgets/Hourglass.h"

namespace vtx::client::widgets {
namespace {

QMessageBox::StandardButton standardButton(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return QMessageBox::Ok;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Abort:
            return QMessageBox::Abort;
        case MessageAnswer::Retry:
            return QMessageBox::Retry;
        case MessageAnswer::Ignore:
            return QMessageBox::Ignore;
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The buttons' own Portuguese labels, so a box reads the same whether Qt's
// translations are installed or not.
QString labelOf(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return QStringLiteral("OK");
        case MessageAnswer::Cancel:
            return QStringLiteral("Cancelar");
        case MessageAnswer::Abort:
            return QStringLiteral("Anular");
        case MessageAnswer::Retry:
            return QStringLiteral("Repetir");
        case MessageAnswer::Ignore:
            return QStringLiteral("Ignorar");
        case MessageAnswer::Yes:
            return QStringLiteral("Sim");
        case MessageAnswer::No:
            return QStringLiteral("Não");
    }
    return QStringLiteral("OK");
}

QMessageBox::Icon iconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The normal pointer while the operator is asked something, the busy one
// again afterwards when it was up.
class NormalPointer {
public:
    NormalPointer() : busy_(hourglassShown()) {
        if (busy_) setHourglass(false);
    }
    ~NormalPointer() {
        if (busy_) setHourglass(true);
    }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;

private:
    bool busy_;
};

}  // namespace

int QtDialogs::showModal(ModalForm& form) {
    NormalPointer normal;
    return form.exec();
}

MessageAnswer QtDialogs::showMessage(const MessageRequest& request) {
    NormalPointer normal;
    QMessageBox box(parent_.data());
    box.setIcon(iconOf(request.icon));
    box.setWindowTitle(request.title);
    box.setText(request.text);
    const std::vector<MessageAnswer> answers = buttonsOf(request.buttons);
    std::vector<QAbstractButton*> buttons;
    for (MessageAnswer answer : answers) {
        QAbstractButton* button = box.addButton(standardButton(answer));
        const size_t index = buttons.size();
        button->setText(index < request.labels.size() ? request.labels[index] : labelOf(answer));
        buttons.push_back(button);
    }
    const MessageAnswer preselected = preselectedAnswer(request);
    box.setDefaultButton(standardButton(preselected));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] == clicked) return answers[i];
    return preselected;
}

}  // namespace vtx::client::widgets

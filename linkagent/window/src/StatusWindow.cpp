#include "StatusWindow.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "vtx/platform/Cp1252.h"

namespace vtx::linkagent {
namespace {

size_t indexOf(StatusField field) { return static_cast<size_t>(field); }

bool askYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

const char* const StatusWindow::kExitQuestion =
    "Essa aplicação é responsável pela comunicação de rede e rotinas Administrativas "
    "realizadas pelo Vantorix. Você tem certeza de que quer finalizar essa aplicação ?";
const char* const StatusWindow::kExitTitle = "Confirma encerramento da aplicação";

StatusWindow::StatusWindow(WindowActions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)) {
    setWindowTitle(QStringLiteral("LinkAgent"));
    const QIcon icon = style()->standardIcon(QStyle::SP_DriveNetIcon);
    setWindowIcon(icon);

    auto* form = new QFormLayout;
    const char* names[] = {"Mensagem", "Conexão", "Logon", "FTP", "DialUp"};
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLabel(this);
        fields_[i]->setMinimumWidth(260);
        form->addRow(QString::fromUtf8(names[i]) + QStringLiteral(":"), fields_[i]);
    }
    exit_ = new QPushButton(QStringLiteral("&Sair"), this);
    hangUp_ = new QPushButton(QStringLiteral("&Desconectar"), this);
    hide_ = new QPushButton(QStringLiteral("&Ocultar"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exit_);
    buttons->addWidget(hangUp_);
    buttons->addWidget(hide_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(exit_, &QPushButton::clicked, this, [this] { askExit(); });
    connect(hangUp_, &QPushButton::clicked, this, [this] {
        if (actions_.hangUp) actions_.hangUp();
    });
    connect(hide_, &QPushButton::clicked, this, [this] { hide(); });

    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_ = new QSystemTrayIcon(icon, this);
        tray_->setToolTip(QStringLiteral("LinkAgent"));
        connect(tray_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::DoubleClick) toggle();
                });
        tray_->show();
    }
    adjustSize();
    placeAtCorner();
}

StatusWindow::~StatusWindow() {
    if (tray_) tray_->hide();
}

void StatusWindow::show(StatusField field, const std::string& text) {
    const QString value = QString::fromStdString(platform::cp1252ToUtf8(text));
    QPointer<QLabel> label = fields_[indexOf(field)];
    QMetaObject::invokeMethod(
        this, [label, value] { if (label) label->setText(value); }, Qt::QueuedConnection);
}

QString StatusWindow::fieldText(StatusField field) const {
    return fields_[indexOf(field)]->text();
}

void StatusWindow::listenerReady() {
    if (tray_) hide();
}

void StatusWindow::placeAtCorner() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    move(area.right() - size.width() + 1, area.bottom() - size.height() + 1 - kBottomMargin);
}

void StatusWindow::askExit() {
    const QString title = QString::fromUtf8(kExitTitle);
    const QString text = QString::fromUtf8(kExitQuestion);
    const bool yes = actions_.confirm ? actions_.confirm(title, text) : askYesNo(this, title, text);
    if (yes && actions_.exit) actions_.exit();
}

void StatusWindow::toggle() {
    if (isVisible()) {
        hide();
    } else {
        QDialog::show();
        raise();
        activateWindow();
    }
}

void StatusWindow::closeEvent(QCloseEvent* event) {
    // The program ends by the exit button (or a stop signal), not by the frame.
    event->ignore();
    hide();
}

void StatusWindow::reject() { hide(); }

}  // namespace vtx::linkagent

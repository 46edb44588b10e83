#include "screens/FormPrincipal.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include "screens/ConfirmaSaida.h"
#include "screens/FormAbout.h"
#include "core/Guarded.h"

namespace vtx::client {

FormPrincipal::FormPrincipal(ClientSession& session, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      reminder_(
          session.settings, [&session] { return session.clock(); }, this),
      onEncerra_([] { QCoreApplication::exit(0); }) {
    setObjectName(QStringLiteral("FormPrincipal"));
    mnuEncerrar = menuBar()->addAction(QStringLiteral("&F12 - Retornar"));
    mnuEncerrar->setObjectName(QStringLiteral("mnuEncerrar"));
    mnuImprimir = menuBar()->addAction(QStringLiteral("F11 - &Imprimir"));
    mnuImprimir->setObjectName(QStringLiteral("mnuImprimir"));
    mnAjuda = menuBar()->addAction(QStringLiteral("&Sobre "));
    mnAjuda->setObjectName(QStringLiteral("mnAjuda"));
    connect(mnuEncerrar, &QAction::triggered, this, [this] { mnuEncerrar_Click(); });
    connect(mnuImprimir, &QAction::triggered, this, [this] { mnuImprimir_Click(); });
    connect(mnAjuda, &QAction::triggered, this, [this] { mnAjuda_Click(); });

    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("areaTelas"));
    setCentralWidget(area_);
    cmdSair = new QPushButton(QStringLiteral("F12 - Sai&r"), this);
    cmdSair->setObjectName(QStringLiteral("cmdSair"));
    cmdSair->setAutoDefault(false);
    statusBar()->addPermanentWidget(cmdSair);
    connect(cmdSair, &QPushButton::clicked, this, [this] { cmdSair_Click(); });

    setFixedSize(kLarguraPrincipal, kAlturaPrincipal);
    SetaCaption(QString());
}

void FormPrincipal::SetaCaption(const QString& text) {
    setWindowTitle(text.isEmpty() ? QStringLiteral("Vantorix Client") : text);
}

void FormPrincipal::setPrintEnabled(bool enabled) {
    mnuImprimir->setEnabled(enabled);
}

void FormPrincipal::MontaTela_FormPrincipal() {
    const int tipo = session_.settings.TipoEstab;
    const QString section = QStringLiteral("FormPrincipal");
    const CaptionEntry print =
        session_.captions.entry(section, QStringLiteral("mnuImprimir_Caption"), tipo);
    const CaptionEntry exit =
        session_.captions.entry(section, QStringLiteral("cmdSair_Caption"), tipo);
    mnuImprimir->setEnabled(print.enabled());
    mnuImprimir->setText(print.caption);
    cmdSair->setEnabled(exit.enabled());
    cmdSair->setText(exit.caption);
}

void FormPrincipal::setCloseRoutine(const QString& telaAtual, std::function<void()> routine) {
    if (routine)
        closeRoutines_.insert(telaAtual, std::move(routine));
    else
        closeRoutines_.remove(telaAtual);
}

void FormPrincipal::setPrintRoutine(const QString& telaAtual, std::function<void()> routine) {
    if (routine)
        printRoutines_.insert(telaAtual, std::move(routine));
    else
        printRoutines_.remove(telaAtual);
}

void FormPrincipal::mnuEncerrar_Click() {
    guarded(session_.reporter, "mnuEncerrar_Click", [&] {
        auto routine = closeRoutines_.value(session_.settings.TelaAtual);
        if (routine) routine();
    });
}

void FormPrincipal::mnuImprimir_Click() {
    guarded(session_.reporter, "mnuImprimir_Click", [&] {
        auto routine = printRoutines_.value(session_.settings.TelaAtual);
        if (routine) routine();
    });
}

void FormPrincipal::mnAjuda_Click() {
    guarded(session_.reporter, "mnAjuda_Click", [&] {
        FormAbout about(session_.dialogs, this);
        session_.dialogs.showModal(about);
    });
}

void FormPrincipal::cmdSair_Click() {
    guarded(session_.reporter, "cmdSair_Click", [&] { ConfirmaSaida(session_.dialogs, *this); });
}

void FormPrincipal::encerra() {
    ending_ = true;
    reminder_.setEnabled(false);
    if (!inCloseEvent_) close();
    if (onEncerra_) onEncerra_();
}

void FormPrincipal::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    // The window's own close button: ask first; a Yes ends through encerra().
    inCloseEvent_ = true;
    cmdSair_Click();
    inCloseEvent_ = false;
    if (ending_)
        event->accept();
    else
        event->ignore();
}

void FormPrincipal::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMaximized()) showNormal();
}

}  // namespace vtx::client

// FormPrincipal: the main window that frames every screen of the client —
// its title (SetaCaption), the menu (close "&F12 - Retornar", print "F11 -
// &Imprimir", about "&Sobre "), the exit button "F12 - Sai&r", the logon
// reminder timer, and a fixed size of 9630 x 6810 twips (642 x 454 pixels).
//
// The menu's close and print commands act on the screen named by TelaAtual,
// through the routines the screens register; a screen without one is left
// alone. Closing the window asks "Confirma a Saída do Sistema".
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QHash>
#include <QMainWindow>

#include "core/ClientSession.h"
#include "screens/LogonReminder.h"
#include "screens/MainFrame.h"

class QAction;
class QPushButton;

namespace vtx::client {

inline const QString kTituloPrincipal =
    QStringLiteral("Vantorix Client            Tela 0000 - Principal              ");

// 9630 x 6810 twips at 15 twips per pixel.
inline constexpr int kLarguraPrincipal = 642;
inline constexpr int kAlturaPrincipal = 454;

class FormPrincipal : public QMainWindow, public MainFrame {
public:
    explicit FormPrincipal(ClientSession& session, QWidget* parent = nullptr);

    void SetaCaption(const QString& text) override;
    void setPrintEnabled(bool enabled) override;
    void setLogonReminderEnabled(bool enabled) override { reminder_.setEnabled(enabled); }
    void encerra() override;
    QWidget* screenArea() override { return area_; }
    void setCloseRoutine(const QString& telaAtual, std::function<void()> routine) override;
    void setPrintRoutine(const QString& telaAtual, std::function<void()> routine) override;

    // Caption and enabled flag of the print entry and the exit button from
    // the "FormPrincipal" caption section of the current TipoEstab.
    void MontaTela_FormPrincipal();

    void mnuEncerrar_Click();
    void mnuImprimir_Click();
    void mnAjuda_Click();
    // The exit button and the window's close: the exit confirmation.
    void cmdSair_Click();

    LogonReminder& logonReminder() { return reminder_; }
    // What encerra() does after closing the window (default: leave the
    // application's event loop).
    void setOnEncerra(std::function<void()> onEncerra) { onEncerra_ = std::move(onEncerra); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ClientSession& session_;
    QWidget* area_ = nullptr;
    QAction* mnuEncerrar = nullptr;
    QAction* mnuImprimir = nullptr;
    QAction* mnAjuda = nullptr;
    QPushButton* cmdSair = nullptr;
    LogonReminder reminder_;
    QHash<QString, std::function<void()>> closeRoutines_;
    QHash<QString, std::function<void()>> printRoutines_;
    std::function<void()> onEncerra_;
    bool ending_ = false;
    bool inCloseEvent_ = false;
};

}  // namespace vtx::client

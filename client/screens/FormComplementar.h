// FormComplementar: the administrative menu ("0002 - Administrativas"),
// reached from the card screen after a manager login: login again, password
// change, registration data, the summaries, the pending transactions and
// the terminal logon, each for the administrator chosen in its list.
//
// The buttons bound to the manager's permission switches (Resumo 1,
// Pendentes 2, Cadastro 3, Canceltotal 8, Logon 9) are enabled unless their
// switch is "N"; function keys act only on an enabled, shown button. The
// cancellation command (F7) is offered when the program gives the
// cancellation window (ScreenOpeners::openCancellation), the
// pre-authorisation command ("F5 - Pré Autorização", no key of its own: F5
// is the financial summary's) when it has the pre-sale screen; it leaves
// the menu for the card screen, the chosen administrator preselected and
// the card asked for.
//
// When a window a command opened closes, the menu takes the main window
// back: TelaAtual "ADMINISTRATIVA", its title, the print entry disabled,
// the focus on the command's button.
//
// Controls carry their names as object names (cbAdministradora, cmdLogon,
// ...). The logon and registration windows are run through the session's
// Dialogs as the modal forms "FormMensLogon" and "FormCadastro".
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QWidget>

#include "core/ClientSession.h"
#include "screens/MainFrame.h"
#include "screens/ScreenOpeners.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client {

inline const QString kTituloAdministrativas =
    QStringLiteral("Vantorix Client        0002 - Administrativas     ");

class FormComplementar : public QWidget {
public:
    FormComplementar(ClientSession& session, MainFrame& frame, const ScreenOpeners& openers,
                     QWidget* parent = nullptr);

    // Opening the menu: TelaAtual, title, captions, permissions, the list.
    void Form_Load();
    bool Form_KeyDown(int key);

    void cbAdministradora_Click();
    void cmdLogin_Click();
    void cmdCadastro_Click();
    void cmdAlterarSenha_Click();
    void cmdResumoFinanceiro_Click();
    void cmdResumo_Click();
    void cmdCanceltotal_Click();
    void cmdPendentes_Click();
    void cmdLogon_Click();
    void cmdPrevenda_Click();
    // Closes the menu and shows the card screen again.
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void MontaTela_FormComplementar();
    // TelaAtual, the main window's title and print entry for the menu.
    void retomaJanelaPrincipal();
    void aplicaPermissoes();
    void PreencheComboAdm();
    // Runs a command with its button disabled; `admMessage` non-empty: the
    // command needs a chosen administrator and says so with this text.
    void runCommand(QPushButton* button, const char* procedure, const QString& admMessage,
                    const std::function<void()>& body);

    ClientSession& session_;
    MainFrame& frame_;
    const ScreenOpeners& openers_;

    QLabel* lblUsuario = nullptr;
    QLineEdit* txtUsuario = nullptr;
    QLabel* lblCodigoEstab = nullptr;
    QLabel* lblCodigoEstabValor_ = nullptr;
    QLabel* lblNomeRede = nullptr;
    QLabel* lblTransacoesPendentes = nullptr;
    QLabel* lblUltimoLote = nullptr;
    QGroupBox* lblFraIdentificacao = nullptr;
    QLabel* lblAdmistradora = nullptr;
    QComboBox* cbAdministradora = nullptr;
    QPushButton* cmdLogin = nullptr;
    QPushButton* cmdCadastro = nullptr;
    QPushButton* cmdAlterarSenha = nullptr;
    QPushButton* cmdResumoFinanceiro = nullptr;
    QPushButton* cmdResumo = nullptr;
    QPushButton* cmdCanceltotal = nullptr;
    QPushButton* cmdPendentes = nullptr;
    QPushButton* cmdLogon = nullptr;
    QPushButton* cmdPrevenda = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace vtx::client

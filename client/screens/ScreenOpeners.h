// ScreenOpeners: the windows and services that the card screen and the
// administrative menu reach but do not own — the login and password dialogs,
// the support configuration window, the report screens, the pre-sale screen,
// the cancellation window, the external price system's card identification
// — as plain functions, so
// the screens are tested with fakes and the program plugs the real forms in.
//
// An empty function stands for a window the program does not have: its
// command does nothing (openLogin: the login fails).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <functional>

namespace vtx::client {

// The report screens of the administrative menu.
enum class ReportKind {
    Resumo,            // sales (authorisation) summary, FormResumo
    ResumoFinanceiro,  // financial summary, FormResumoFinanceiro
    Pendentes,         // pending transactions, FormConsulta
};

struct ScreenOpeners {
    // The login dialog, modally; true when it ended with a valid login
    // (LoginEfetuado).
    std::function<bool()> openLogin;
    // The support configuration window ("Configurações do Sistema"); returns
    // when it is closed.
    std::function<void()> openConfig;
    // The password-change dialog, modally.
    std::function<void()> openPasswordChange;
    // A report screen for the chosen administrator.
    std::function<void(ReportKind)> openReport;
    // The pre-sale screen, without waiting (TelaAtual says "PREVENDA" or
    // "VENDA").
    std::function<void()> openPreSale;

    // The external price system's card identification (the station setting
    // bIdentificaCartao_DS): clears its input fields, and runs the
    // identification returning its result flag ("N" = not identified).
    std::function<void()> clearCardIdentification;
    std::function<QString()> identifyCard;

    // Filled by ClientStartup: the administrative menu, and the card screen
    // shown again when the menu closes.
    std::function<void()> openAdminMenu;
    std::function<void()> showCardScreen;

    // The cancellation window of the administrative menu (F7, FormCancela:
    // cancellation by NSU), modally for the chosen administrator; the menu
    // offers the command only when it is set.
    std::function<void()> openCancellation;
    // Filled by ClientStartup: the card screen shown for a pre-authorisation
    // (the menu's "F5 - Pré Autorização", offered when openPreSale is set):
    // the administrator chosen in the menu preselected and the card asked
    // for at once.
    std::function<void()> showCardScreenForPreSale;
};

}  // namespace vtx::client

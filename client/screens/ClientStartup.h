// ClientStartup: the start of the point-of-sale client, in this order:
// 1. Qt's own texts in Portuguese (widgets/QtTranslations.h); a fresh field
//    message;
// 2. single instance (named mutex "VtxClient"): a second instance shows
//    "O VtxClient já esta ativo." (title "Atenção") and ends; a lock that
//    cannot be made shows why ("O VtxClient não pode verificar se já está
//    ativo: cannot create the lock in …: <reason>") and ends;
// 3. the main window: print entry disabled, centred, titled "Tela 0000";
// 4. the settings (SetaEstruturaPrincipal): unusable, "Erro nos arquivos de
//    configuração!" (title "Atenção") and the end;
// 5. the logon reminder armed for its first tick;
// 6. the main window's captions for the current TipoEstab;
// 7. the operator table: a failure (reported by its loader) ends;
// 8. the pending-transaction journal of the installation directory: what a
//    previous run left authorised or unanswered is settled
//    (messaging/PendingSettlement.h); then the card screen.
// It then owns the card screen and the administrative menu, links them to
// each other and registers their close routines with the main window; the
// reminder opens the logon window.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <memory>

#include "core/ClientSession.h"
#include "screens/FormPrincipal.h"
#include "screens/PinPadTrack.h"
#include "screens/ScreenOpeners.h"

namespace vtx::platform {
class NamedMutex;
}

namespace vtx::client {

class FormComplementar;
class FormInicial;

inline constexpr char kInstanceMutex[] = "VtxClient";

class ClientStartup {
public:
    // `openers` gives the windows of other layers; openAdminMenu,
    // showCardScreen and showCardScreenForPreSale are filled in it here, so
    // that whoever holds the same set (the sale screens, which show the card
    // screen again when the pre-sale closes) reaches the card screen. It
    // outlives this object. `programFolder` empty: the running program's
    // folder.
    ClientStartup(ClientSession& session, FormPrincipal& principal, ScreenOpeners& openers,
                  GetTrackFunction getTrack, QString programFolder = {});
    ~ClientStartup();

    // False when the program must end (the reason has been shown).
    bool run();

    FormInicial* cardScreen() const { return cardScreen_; }
    FormComplementar* adminMenu() const { return adminMenu_; }
    const ScreenOpeners& openers() const { return openers_; }

private:
    void openAdminMenu();
    void showLogonWindow();

    ClientSession& session_;
    FormPrincipal& principal_;
    ScreenOpeners& openers_;
    GetTrackFunction getTrack_;
    QString programFolder_;
    std::unique_ptr<platform::NamedMutex> instance_;
    std::unique_ptr<TransactionJournal> journal_;
    FormInicial* cardScreen_ = nullptr;
    FormComplementar* adminMenu_ = nullptr;
};

}  // namespace vtx::client

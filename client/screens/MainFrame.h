// MainFrame: what the screens ask of the main window that frames them — its
// title (SetaCaption), its print entry, its logon reminder timer, the end of
// the program, and the close and print commands of its menu, which act on
// the screen named by TelaAtual.
//
// FormPrincipal implements it; screen tests give a recording fake.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDate>
#include <QString>
#include <cstddef>
#include <functional>

class QWidget;

namespace vtx::client {

class MainFrame {
public:
    virtual ~MainFrame() = default;

    // The main window's title; an empty text shows "Vantorix Client".
    virtual void SetaCaption(const QString& text) = 0;

    // Enables or disables the print menu entry ("F11 - &Imprimir").
    virtual void setPrintEnabled(bool enabled) = 0;

    // Stops the logon reminder timer, or lets it run again.
    virtual void setLogonReminderEnabled(bool enabled) = 0;

    // Ends the program (after the operator confirmed it).
    virtual void encerra() = 0;

    // The widget the screens are placed in (nullptr: top-level screens).
    virtual QWidget* screenArea() = 0;

    // The routines the menu's close ("&F12 - Retornar") and print ("F11 -
    // &Imprimir") commands run while TelaAtual is `telaAtual`; an empty
    // function removes it. A screen name without a routine does nothing.
    virtual void setCloseRoutine(const QString& telaAtual, std::function<void()> routine) = 0;
    virtual void setPrintRoutine(const QString& telaAtual, std::function<void()> routine) = 0;
};

// A screen's title for the main window: the text followed by today's date.
inline QString tituloComData(const QString& title) {
    return title + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

// TipoEstab when it lies in 1..3, else 0 (the unused entry of the per-type
// tables), so that a stray type never indexes past them.
inline std::size_t tipoValido(qint16 tipoEstab) {
    return tipoEstab >= 1 && tipoEstab <= 3 ? static_cast<std::size_t>(tipoEstab) : 0;
}

}  // namespace vtx::client

// What a report screen asks of the main window that frames it. Every member
// may be left empty: setCaption and setPrintEnabled then do nothing,
// endProgram quits the application's event loop, and without a screen area
// the screen is a window of its own.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vtx::client::reports {

struct ReportHost {
    // SetaCaption: the main window's title (an empty text stands for the
    // program's default title).
    std::function<void(const QString&)> setCaption;
    // Enables or disables the main window's print entry (mnuImprimir).
    std::function<void(bool)> setPrintEnabled;
    // Ends the program after the operator confirmed "Confirma a Saída do Sistema".
    std::function<void()> endProgram;
    // The main window's screen area: a report screen (and the screens it
    // opens) runs inside it, filling it (widgets/ScreenArea.h).
    QWidget* screenArea = nullptr;
};

}  // namespace vtx::client::reports

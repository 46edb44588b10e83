// What the sale screens ask of the program around them: the main window's
// title, print entry, close and print commands and screen area, the end of
// the program, and the screens of other layers they open (the card screen
// when the pre-sale closes, the receipt screen, the products summary of a
// transaction). Every member may be left empty: the calls below then do
// nothing (endProgram: the application's event loop is left).
//
// The program fills it from the main window; screen tests give recording
// functions.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vtx::client::sale {

struct SaleHost {
    // SetaCaption: the main window's title (empty: the program's title).
    std::function<void(const QString&)> setCaption;
    // Enables or disables the main window's print entry (mnuImprimir).
    std::function<void(bool)> setPrintEnabled;
    // Ends the program after the operator confirmed the exit.
    std::function<void()> endProgram;
    // The routines the main window's close and print commands run while
    // TelaAtual is the given screen name; an empty routine removes it.
    std::function<void(const QString&, std::function<void()>)> setCloseRoutine;
    std::function<void(const QString&, std::function<void()>)> setPrintRoutine;
    // Where the screens are placed (widgets::placeInScreenArea); nullptr:
    // windows of their own.
    QWidget* screenArea = nullptr;

    // The card screen, shown again when the pre-sale screen closes.
    std::function<void()> showCardScreen;
    // The receipt screen (FormImpressao) for the last answer, modally.
    std::function<void()> openReceipt;
    // The products summary of the transaction of the session's NSU
    // (TelaAtual "PRODUTOSDATRANSACAO"), without waiting.
    std::function<void()> openTransactionProducts;

    void caption(const QString& text) const;
    void printEnabled(bool enabled) const;
    void closeRoutine(const QString& telaAtual, std::function<void()> routine) const;
    void printRoutine(const QString& telaAtual, std::function<void()> routine) const;
    void endTheProgram() const;
};

}  // namespace vtx::client::sale

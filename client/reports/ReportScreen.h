// ReportScreen: what the four report screens share. A modal form over the
// main window with a grid of a report file, its subtitle, the establishment
// and administrator labels, and the keys F11 (print), F12 (leave the
// program after confirmation) and ESC (return).
//
// Loading (carregaRelatorio): sets TelaAtual, enables the main window's print
// entry, places the form at the top-left corner, sets the main window's
// title to the screen's title followed by the date, shows the captions of
// the establishment's code and name (core/EstablishmentLabels.h) and the
// administrator's code, and loads the
// report file through CarregaGrid. A missing or damaged file leaves the
// screen open with an empty grid.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/ClientSession.h"
#include "core/Dialogs.h"
#include "core/GridModel.h"
#include "core/Printer.h"
#include "reports/ReportHost.h"

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace vtx::client::widgets {
class GridView;
}

namespace vtx::client::reports {

class ReportScreen : public QDialog, public ModalForm {
public:
    ~ReportScreen() override;

    QString formName() const override { return objectName(); }
    // Runs the screen inside the host's screen area (a window of its own
    // without one).
    int exec() override;

    // The print routine (F11, and the main window's print entry): prints the
    // grid under the subtitle, landscape, then "Impressão efetuada!". A
    // printer fault is always told (ErrorReporter::reportPrinterFault).
    void cmdImprimir_Click();

    // The return routine (ESC, the return button, the main window's close
    // entry): closes the screen.
    void cmdRetorna_Click();

    GridModel& grid() { return grid_; }
    const QString& subtitulo() const { return subtitulo_; }
    bool carregado() const { return carregado_; }

protected:
    // `name`: the form's name (its caption section); `gridName`: the grid's.
    ReportScreen(const QString& name, const QString& gridName, ClientSession& session,
                 Printer* printer, ReportHost host, QWidget* parent);

    // The load routine; `telaAtual` empty keeps the current TelaAtual.
    bool carregaRelatorio(const QString& titulo, const QString& telaAtual, const QString& pattern);

    // Sets the main window's title and print entry for this screen again,
    // and gives its grid the focus (after a screen it opened has closed,
    // its keys must reach this one).
    void mostraTitulo();

    // A button in the button row, before the print and return buttons.
    QPushButton* addButton(const QString& name, const QString& caption);

    // The caption entry of one of this form's controls for the current type.
    CaptionEntry caption(const QString& key) const;

    void setSubtitulo(const QString& text);

    // Function keys of the screen itself; true when handled.
    virtual bool teclaFuncao(int key);

    // A function key's button: clicked while it is there to press (shown
    // and enabled). True: the key is taken either way.
    bool pressiona(QPushButton* button);

    // Asks "Confirma a Saída do Sistema" and ends the program on Yes.
    void confirmaSaida();

    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

    ClientSession& session_;
    Printer* printer_;
    ReportHost host_;
    widgets::GridView* spd_ = nullptr;

private:
    GridModel grid_;
    QString titulo_;
    QString subtitulo_;
    bool carregado_ = false;
    QLabel* lblsubtitulo_ = nullptr;
    QLabel* lblCodigoEstab_ = nullptr;
    QLabel* lblNomeEstab_ = nullptr;
    QLabel* lblAdministradora_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    int extraButtons_ = 0;
};

}  // namespace vtx::client::reports

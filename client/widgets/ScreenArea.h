// Screens shown inside the main window: a form opened over the main
// window's screen area becomes a child widget filling that area, raised
// above the screens beneath it and given the focus (its first control) each
// time it shows, so it moves with the main window, its keys reach it rather
// than the screen beneath, and the main window's menu stays in reach (its
// close and print commands act on the screen in front). A modal form still runs its own
// event loop (QDialog::exec) until it is closed; the screens beneath stay
// covered while it runs.
//
// Without a screen area (nullptr: a test or a form opened on its own) the
// form stays a window of its own.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

class QWidget;

namespace vtx::client::widgets {

// Call before showing or running the form.
void placeInScreenArea(QWidget& screen, QWidget* area);

}  // namespace vtx::client::widgets

// Building the client's forms: controls named as the code-behind refers to
// them, and rows (or grids) of buttons that share the width evenly.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <initializer_list>

class QGridLayout;
class QHBoxLayout;
class QPushButton;

namespace vtx::client::widgets {

// Gives the widget its object name (the control name of the form) and
// returns it, so a control is made and named in one expression.
template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A row holding `buttons`, each as wide as the others and `height` pixels
// high, `spacing` pixels apart.
QHBoxLayout* evenButtonRow(std::initializer_list<QPushButton*> buttons, int height, int spacing);

// The same in `columns` columns of equal width, row after row, for screens
// whose captions do not fit in one row of the fixed main window.
QGridLayout* evenButtonGrid(std::initializer_list<QPushButton*> buttons, int columns, int height,
                            int spacing);

}  // namespace vtx::client::widgets

// What the login and password-change forms share: the caption entries of a
// screen applied to its controls, the keyboard behaviour of their text fields,
// and the function keys of their buttons.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <Qt>

#include "core/CaptionTable.h"

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vtx::client {

// A text field: its label and maximum length from the entry (a maximum of 0
// leaves the field unlimited), typed keys upper-cased, the whole content
// selected when it gets the focus.
void applyFieldCaption(QLabel& label, QLineEdit& field, const CaptionEntry& entry);
void prepareTextField(QLineEdit& field);

// A button: its caption (the design caption stays when the entry has none)
// and its enabled flag ("Y" only). Buttons never act as the dialog's default
// button: Enter is handled by the fields.
void applyButtonCaption(QPushButton& button, const CaptionEntry& entry);
void prepareButton(QPushButton& button);

// Presses `button` when `key` is pressed anywhere in `form`, while the
// button is enabled.
void bindKey(QDialog& form, int key, QPushButton& button);

// A pointer shape for the life of the object, however it ends; the shape
// shown before comes back afterwards. Forms run modally with the normal
// pointer over them, whatever busy pointer the screen that opened them
// shows, and show the busy pointer while a check runs.
class PointerShape {
public:
    explicit PointerShape(Qt::CursorShape shape);
    ~PointerShape();
    PointerShape(const PointerShape&) = delete;
    PointerShape& operator=(const PointerShape&) = delete;
};

}  // namespace vtx::client

// The small screen and keyboard routines every form of the client uses:
// placing a form, Enter as Tab, select-all on focus and the upper-case key
// filter of text fields.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace vtx::client::widgets {

// Places the form in the middle of its screen: left = (screen width - form
// width) / 2, top likewise. A form without a screen is left where it is.
void CentralizaJanela(QWidget& form);

// Places the form at the top-left corner (0, 0).
void PosicionaFormulario(QWidget& form);

// Moves the focus from `from` to the next control in the tab order, as a Tab
// keystroke does; forms call it when Enter is pressed.
void EnterTab(QWidget& from);

// Selects the whole content of the box (caret at 0, selection length = text
// length).
void SelecionaCampo(QLineEdit& box);

// Key filter of text fields: an apostrophe (39) is swallowed (0 is
// returned); any other key is returned in its upper-case form.
int Maiuscula_KeyPress(int key);

// Applies Maiuscula_KeyPress to the text typed into a QLineEdit: typed
// characters are inserted upper-cased and apostrophes are dropped. Control
// keys (Backspace, arrows, shortcuts) pass untouched.
class UpperCaseFilter : public QObject {
public:
    // Installs a filter owned by the box.
    static UpperCaseFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit UpperCaseFilter(QObject* parent) : QObject(parent) {}
};

// Calls SelecionaCampo when the box gets the focus.
class SelectOnFocusFilter : public QObject {
public:
    // Installs a filter owned by the box.
    static SelectOnFocusFilter* install(QLineEdit& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SelectOnFocusFilter(QObject* parent) : QObject(parent) {}
};

}  // namespace vtx::client::widgets

// What the pre-sale, query and product-entry screens share in building and
// running their controls: buttons named after the control, captions from a
// caption entry with the screen's own text when the entry has none, boxes
// that take digits only (typed or pasted), the main window's title with the
// date, and a modal run inside the main window's screen area.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>

#include "core/CaptionTable.h"
#include "core/ClientSession.h"
#include "core/TabelaOperadoras.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vtx::client {
class ModalForm;
}

namespace vtx::client::sale {

struct SaleHost;

// A push button that never acts as the form's default button.
QPushButton* botao(const char* name, const char* caption);

// The entry's caption, or `padrao` when it has none.
QString legenda(const CaptionEntry& entry, const QString& padrao);

// Caption (or `padrao`) and the entry's enabled flag ("Y").
void aplicaBotao(QPushButton& button, const CaptionEntry& entry, const QString& padrao);

// The box takes digits only: other typed characters and pasted text that
// is not all digits are refused; Enter and Backspace keep their meaning.
void aceitaSoDigitos(QLineEdit& box);

// The main window's title of a screen: `titulo` followed by the date.
QString tituloComData(const ClientSession& session, const QString& titulo);

// Field 3 of the chosen administrator (the complement); a blank field when
// none is chosen.
IdentificationField campoComplemento(const ClientSession& session);

// Places `widget` in the screen area and runs `form` (the same object)
// through the session's Dialogs; its result.
int executaModal(ClientSession& session, const SaleHost& host, QWidget& widget, ModalForm& form);

}  // namespace vtx::client::sale

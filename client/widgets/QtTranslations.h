// Qt's own texts in Portuguese: the translations of Qt's standard dialogs,
// buttons and context menus (qtbase_pt_BR.qm of the Debian package
// qt6-translations-l10n), installed on the application at start-up. The
// message boxes label their buttons themselves (QtDialogs.h), so a station
// without the package still shows "Sim" and "Não"; the translations cover
// the rest (a line edit's context menu, a file dialog).
//
// Thread-safety: the client's user-interface thread only, after the
// QApplication exists.
#pragma once

#include <QString>

namespace vtx::client::widgets {

// Installs qtbase_pt_BR from Qt's translations folder (or `folder` when
// given); once installed, later calls do nothing and return true. False
// when the file is not there: the program goes on with Qt's English texts.
bool installQtTranslations(const QString& folder = {});

}  // namespace vtx::client::widgets

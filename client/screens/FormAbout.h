// FormAbout ("Sobre "): the program's version ("Versão " and the product's
// version VTX_VERSION, which the packages carry), and the date, time and size
// of the running program's file ("Data: ", "Tam. Executável: "; both empty
// when the file cannot be found). Its system-information button says the
// tool is not available on this system.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/Dialogs.h"

class QLabel;

namespace vtx::client {

class FormAbout : public QDialog, public ModalForm {
public:
    // `programFile` empty: the running program's file.
    FormAbout(Dialogs& dialogs, QWidget* parent = nullptr, const QString& programFile = {});

    QString formName() const override { return QStringLiteral("formAbout"); }
    int exec() override { return QDialog::exec(); }

    void cmdSysInfo_Click();

private:
    Dialogs& dialogs_;
};

}  // namespace vtx::client

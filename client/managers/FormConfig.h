// FormConfig: the support configuration window ("Configurações do
// Sistema"), opened after a support login ("STAFF"). It offers only its close
// command ("&Fechar", also Escape).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QDialog>

#include "core/Dialogs.h"

class QPushButton;

namespace vtx::client {

class FormConfig : public QDialog, public ModalForm {
public:
    explicit FormConfig(QWidget* parent = nullptr);

    QString formName() const override { return QStringLiteral("FormConfig"); }
    // Runs the window modally (with the normal pointer over it).
    int exec() override;

    void cmdFechar_Click();

private:
    QPushButton* cmdFechar = nullptr;
};

}  // namespace vtx::client

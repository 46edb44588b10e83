// The first page: the installation kind and the access mode, the server's
// drive and address, passive FTP, the product file, the export folder and,
// for a station or checkout (kinds 3-4), the installation path. The kind and
// the mode decide which pages follow.
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

class QCheckBox;

namespace vtx::install {

class KindPage : public AnswersPage {
public:
    explicit KindPage(InstallWizard& wizard);

protected:
    void load(const install::InstallAnswers& answers) override;
    void store(install::InstallAnswers& answers) const override;

private:
    void kindChanged();

    QComboBox* kind_;
    QComboBox* mode_;
    QCheckBox* passiveFtp_;
    QLineEdit* path_;
};

}  // namespace vtx::install

#include "KindPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <functional>

#include "CoreText.h"

namespace vtx::installer {

namespace {

constexpr int kKindCount = 5;
constexpr int kModeCount = 4;

// The listed choices store their number; an answer outside the list (a
// pre-filled or installed one) is shown as its caption and kept as it was,
// so the page's check refuses it rather than the page changing it silently.
void fillChoices(QComboBox* box, int count, const std::string& answer, int answerNumber,
                 const std::function<std::string(int)>& caption) {
    box->clear();
    for (int i = 0; i < count; ++i) box->addItem(fromCore(caption(i)), QString::number(i));
    if (answerNumber >= 0 && answerNumber < count) {
        box->setCurrentIndex(answerNumber);
    } else {
        box->addItem(fromCore(caption(answerNumber)), fromCore(answer));
        box->setCurrentIndex(count);
    }
}

std::string choice(const QComboBox* box, const std::string& fallback) {
    if (box->currentIndex() < 0) return fallback;
    return toCore(box->currentData().toString());
}

bool passive(const std::string& ftpMode) {
    return !ftpMode.empty() && (ftpMode[0] == 'S' || ftpMode[0] == 's' || ftpMode[0] == 'Y' ||
                                ftpMode[0] == 'y');
}

}  // namespace

KindPage::KindPage(InstallWizard& wizard) : AnswersPage(install::Page::kKind, wizard) {
    setTitle(QStringLiteral("Tipo de instalação"));
    setSubTitle(QStringLiteral("Escolha o tipo de instalação e o acesso à rede."));
    auto* form = new QFormLayout(this);
    kind_ = addComboBox(form, QStringLiteral("Tipo de instalação:"), "TIPO");
    mode_ = addComboBox(form, QStringLiteral("Modo de acesso:"), "MODO");
    drive_ = addLineEdit(form, QStringLiteral("Drive do servidor:"), "DRIVE");
    ipAddress_ = addLineEdit(form, QStringLiteral("Endereço IP do servidor:"), "IPADDRESS");
    passiveFtp_ = new QCheckBox(QStringLiteral("FTP em modo passivo"), this);
    passiveFtp_->setObjectName(QStringLiteral("FTPMODE"));
    form->addRow(QString(), passiveFtp_);
    fileProd_ = addLineEdit(form, QStringLiteral("Arquivo de produtos:"), "FILEPROD");
    fileAux_ = addLineEdit(form, QStringLiteral("Pasta de exportação:"), "FILEAUX");
    path_ = addLineEdit(form, QStringLiteral("Caminho da instalação:"), "PATH");
    connect(kind_, &QComboBox::currentIndexChanged, this, &KindPage::kindChanged);
}

void KindPage::load(const install::InstallAnswers& answers) {
    fillChoices(kind_, kKindCount, answers.server.tipo, answers.kind(),
                [](int k) { return install::kindCaption(k); });
    const std::string dialUp = answers.dial.dialup;
    fillChoices(mode_, kModeCount, answers.server.modo, answers.accessMode(),
                [&dialUp](int m) { return install::accessModeCaption(m, dialUp); });
    setFieldText(drive_, answers.server.drive);
    setFieldText(ipAddress_, answers.server.ipAddress);
    passiveFtp_->setChecked(passive(answers.server.ftpMode));
    setFieldText(fileProd_, answers.server.fileProd);
    setFieldText(fileAux_, answers.server.fileAux);
    setFieldText(path_, answers.server.path);
    kindChanged();
}

void KindPage::store(install::InstallAnswers& answers) const {
    answers.server.tipo = choice(kind_, answers.server.tipo);
    answers.server.modo = choice(mode_, answers.server.modo);
    answers.server.drive = fieldText(drive_);
    answers.server.ipAddress = fieldText(ipAddress_);
    answers.server.ftpMode.assign(1, passiveFtp_->isChecked() ? 'S' : 'N');
    answers.server.fileProd = fieldText(fileProd_);
    answers.server.fileAux = fieldText(fileAux_);
    answers.server.path = fieldText(path_);
}

void KindPage::kindChanged() {
    // Only a station or a checkout installs into a path of its own.
    const int kind = kind_->currentIndex();
    path_->setEnabled(kind == install::kEstacao || kind == install::kCheckout);
}

}  // namespace vtx::installer

#include "KindPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <functional>

#include "CoreText.h"

namespace vtx::install {

using install::InstallAnswers;

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
    addLineEdit(form, QStringLiteral("Drive do servidor:"), "DRIVE",
                [](InstallAnswers& a) -> std::string& { return a.server.drive; });
    addLineEdit(form, QStringLiteral("Endereço IP do servidor:"), "IPADDRESS",
                [](InstallAnswers& a) -> std::string& { return a.server.ipAddress; });
    passiveFtp_ = new QCheckBox(QStringLiteral("FTP em modo passivo"), this);
    passiveFtp_->setObjectName(QStringLiteral("FTPMODE"));
    form->addRow(QString(), passiveFtp_);
    addLineEdit(form, QStringLiteral("Arquivo de produtos:"), "FILEPROD",
                [](InstallAnswers& a) -> std::string& { return a.server.fileProd; });
    addLineEdit(form, QStringLiteral("Pasta de exportação:"), "FILEAUX",
                [](InstallAnswers& a) -> std::string& { return a.server.fileAux; });
    path_ = addLineEdit(form, QStringLiteral("Caminho da instalação:"), "PATH",
                        [](InstallAnswers& a) -> std::string& { return a.server.path; });
    connect(kind_, &QComboBox::currentIndexChanged, this, &KindPage::kindChanged);
}

void KindPage::load(const InstallAnswers& answers) {
    AnswersPage::load(answers);
    fillChoices(kind_, kKindCount, answers.server.tipo, answers.kind(),
                [](int k) { return install::kindCaption(k); });
    const std::string dialUp = answers.dial.dialup;
    fillChoices(mode_, kModeCount, answers.server.modo, answers.accessMode(),
                [&dialUp](int m) { return install::accessModeCaption(m, dialUp); });
    passiveFtp_->setChecked(passive(answers.server.ftpMode));
    kindChanged();
}

void KindPage::store(InstallAnswers& answers) const {
    AnswersPage::store(answers);
    answers.server.tipo = choice(kind_, answers.server.tipo);
    answers.server.modo = choice(mode_, answers.server.modo);
    answers.server.ftpMode.assign(1, passiveFtp_->isChecked() ? 'S' : 'N');
}

void KindPage::kindChanged() {
    // Only a station or a checkout installs into a path of its own.
    const int kind = kind_->currentIndex();
    path_->setEnabled(kind == install::kEstacao || kind == install::kCheckout);
}

}  // namespace vtx::install

#include "EstablishmentPage.h"

#include <QFormLayout>
#include <QLineEdit>

#include "InstallWizard.h"

namespace vtx::install {

using install::InstallAnswers;

EstablishmentPage::EstablishmentPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kEstablishment, wizard) {
    setTitle(QStringLiteral("Estabelecimento"));
    setSubTitle(QStringLiteral("Informe os dados do estabelecimento e do instalador."));
    form_ = new QFormLayout(this);
    addLineEdit(form_, QStringLiteral("CNPJ:"), "CNPJ",
                [](InstallAnswers& a) -> std::string& { return a.estab.cnpj; });
    addLineEdit(form_, QStringLiteral("Nome fantasia:"), "FANTASIA",
                [](InstallAnswers& a) -> std::string& { return a.estab.fantasia; });
    addressAndInstaller_ = {
        addLineEdit(form_, QStringLiteral("Logradouro:"), "Logradouro",
                    [](InstallAnswers& a) -> std::string& { return a.estab.logradouro; }),
        addLineEdit(form_, QStringLiteral("Complemento:"), "Complemento",
                    [](InstallAnswers& a) -> std::string& { return a.estab.complemento; }),
        addLineEdit(form_, QStringLiteral("Número:"), "Numero",
                    [](InstallAnswers& a) -> std::string& { return a.estab.numero; }),
        addLineEdit(form_, QStringLiteral("CEP:"), "CEP",
                    [](InstallAnswers& a) -> std::string& { return a.estab.cep; }),
        addLineEdit(form_, QStringLiteral("Nome do instalador:"), "NOME_INST",
                    [](InstallAnswers& a) -> std::string& { return a.estab.nomeInst; }),
        addLineEdit(form_, QStringLiteral("Documento do instalador:"), "DOC_INST",
                    [](InstallAnswers& a) -> std::string& { return a.estab.docInst; }),
    };
}

void EstablishmentPage::initializePage() {
    AnswersPage::initializePage();
    const bool asked = !installWizard().description().dadosAdic;
    for (QLineEdit* edit : addressAndInstaller_) form_->setRowVisible(edit, asked);
}

}  // namespace vtx::install

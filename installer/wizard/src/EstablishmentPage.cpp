#include "EstablishmentPage.h"

#include <QFormLayout>
#include <QLineEdit>

#include "InstallWizard.h"

namespace vtx::installer {

EstablishmentPage::EstablishmentPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kEstablishment, wizard) {
    setTitle(QStringLiteral("Estabelecimento"));
    setSubTitle(QStringLiteral("Informe os dados do estabelecimento e do instalador."));
    form_ = new QFormLayout(this);
    cnpj_ = addLineEdit(form_, QStringLiteral("CNPJ:"), "CNPJ");
    fantasia_ = addLineEdit(form_, QStringLiteral("Nome fantasia:"), "FANTASIA");
    logradouro_ = addLineEdit(form_, QStringLiteral("Logradouro:"), "Logradouro");
    complemento_ = addLineEdit(form_, QStringLiteral("Complemento:"), "Complemento");
    numero_ = addLineEdit(form_, QStringLiteral("Número:"), "Numero");
    cep_ = addLineEdit(form_, QStringLiteral("CEP:"), "CEP");
    nomeInst_ = addLineEdit(form_, QStringLiteral("Nome do instalador:"), "NOME_INST");
    docInst_ = addLineEdit(form_, QStringLiteral("Documento do instalador:"), "DOC_INST");
}

void EstablishmentPage::initializePage() {
    AnswersPage::initializePage();
    const bool asked = !installWizard().description().dadosAdic;
    for (QLineEdit* edit : {logradouro_, complemento_, numero_, cep_, nomeInst_, docInst_}) {
        form_->setRowVisible(edit, asked);
    }
}

void EstablishmentPage::load(const install::InstallAnswers& answers) {
    setFieldText(cnpj_, answers.estab.cnpj);
    setFieldText(fantasia_, answers.estab.fantasia);
    setFieldText(logradouro_, answers.estab.logradouro);
    setFieldText(complemento_, answers.estab.complemento);
    setFieldText(numero_, answers.estab.numero);
    setFieldText(cep_, answers.estab.cep);
    setFieldText(nomeInst_, answers.estab.nomeInst);
    setFieldText(docInst_, answers.estab.docInst);
}

void EstablishmentPage::store(install::InstallAnswers& answers) const {
    answers.estab.cnpj = fieldText(cnpj_);
    answers.estab.fantasia = fieldText(fantasia_);
    answers.estab.logradouro = fieldText(logradouro_);
    answers.estab.complemento = fieldText(complemento_);
    answers.estab.numero = fieldText(numero_);
    answers.estab.cep = fieldText(cep_);
    answers.estab.nomeInst = fieldText(nomeInst_);
    answers.estab.docInst = fieldText(docInst_);
}

}  // namespace vtx::installer

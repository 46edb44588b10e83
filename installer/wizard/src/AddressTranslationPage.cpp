#include "AddressTranslationPage.h"

#include <QFormLayout>
#include <QLineEdit>

namespace vtx::installer {

AddressTranslationPage::AddressTranslationPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kAddressTranslation, wizard) {
    setTitle(QStringLiteral("Tradução de endereço"));
    setSubTitle(QStringLiteral("Informe o endereço IP traduzido das rotas."));
    auto* form = new QFormLayout(this);
    address_ = addLineEdit(form, QStringLiteral("Endereço IP:"), "TCPIP");
}

void AddressTranslationPage::load(const install::InstallAnswers& answers) {
    setFieldText(address_, answers.ipNat.tcpip);
}

void AddressTranslationPage::store(install::InstallAnswers& answers) const {
    answers.ipNat.tcpip = fieldText(address_);
}

}  // namespace vtx::installer

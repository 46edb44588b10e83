#include "AddressTranslationPage.h"

#include <QFormLayout>

namespace vtx::install {

AddressTranslationPage::AddressTranslationPage(InstallWizard& wizard)
    : AnswersPage(install::Page::kAddressTranslation, wizard) {
    setTitle(QStringLiteral("Tradução de endereço"));
    setSubTitle(QStringLiteral("Informe o endereço IP traduzido das rotas."));
    auto* form = new QFormLayout(this);
    addLineEdit(form, QStringLiteral("Endereço IP:"), "TCPIP",
                [](install::InstallAnswers& a) -> std::string& { return a.ipNat.tcpip; });
}

}  // namespace vtx::install

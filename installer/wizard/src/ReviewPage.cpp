#include "ReviewPage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "CoreText.h"
#include "InstallWizard.h"

namespace vtx::install {

ReviewPage::ReviewPage(InstallWizard& wizard) : AnswersPage(install::Page::kReview, wizard) {
    setTitle(QStringLiteral("Confirmação"));
    setSubTitle(QStringLiteral("Confira os dados da instalação e tecle Concluir."));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QPlainTextEdit(this);
    summary_->setReadOnly(true);
    summary_->setObjectName(QStringLiteral("summary"));
    layout->addWidget(summary_);
}

QString ReviewPage::summary() const { return summary_->toPlainText(); }

void ReviewPage::load(const install::InstallAnswers& answers) {
    const auto pages = installWizard().visitedPages(answers);
    const bool pinPad = std::find(pages.begin(), pages.end(), install::Page::kPinPad) != pages.end();
    summary_->setPlainText(fromCore(answersSummary(answers, installWizard().description(), pinPad)));
}

std::string answersSummary(const install::InstallAnswers& answers,
                           const install::InstallDescription& description, bool pinPadAsked) {
    std::string s;
    auto line = [&s](const std::string& label, const std::string& value) {
        s += label + ": " + value + "\n";
    };
    const int kind = answers.kind();
    const int mode = answers.accessMode();
    line("Tipo de instala\xE7\xE3o", install::kindCaption(kind));
    line("Acesso", install::accessModeCaption(mode, answers.dial.dialup));
    line("Servidor", answers.server.drive + "  " + answers.server.ipAddress);
    if (mode == install::kIpLocal) {
        line("TCP/IP local", answers.ipLocal.tcpip + ":" + answers.ipLocal.porta);
    } else if (mode == install::kTraducaoEndereco) {
        line("Endere\xE7o traduzido", answers.ipNat.tcpip);
    } else if (mode == install::kDiscado) {
        line("Tempo de desconex\xE3o", answers.dial.to + " s");
    }
    if (kind == install::kEstacao || kind == install::kCheckout) {
        line("Caminho", answers.server.path);
        line("Drive da esta\xE7\xE3o", answers.estacao.driveEst);
    } else {
        line("CNPJ", answers.estab.cnpj);
        line("Nome fantasia", answers.estab.fantasia);
        if (!description.dadosAdic) {
            std::string address = answers.estab.logradouro + ", " + answers.estab.numero;
            if (!answers.estab.complemento.empty()) address += " " + answers.estab.complemento;
            line("Endere\xE7o", address + " - CEP " + answers.estab.cep);
            line("Instalador", answers.estab.nomeInst + " (" + answers.estab.docInst + ")");
        }
    }
    if (pinPadAsked) {
        line("PinPad", "modelo " + answers.pinpad.modeloPin + ", COM" +
                           std::to_string(answerNumber(answers.pinpad.serialPort) + 1));
    }
    return s;
}

}  // namespace vtx::install

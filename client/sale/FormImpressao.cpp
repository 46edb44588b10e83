#include "sale/FormImpressao.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Guarded.h"
#include "messaging/RequestBuilders.h"
#include "sale/ApplyCaption.h"
#include "sale/ReceiptLayout.h"
#include "sale/ReceiptPrinting.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"
#include "widgets/Hourglass.h"
#include "widgets/KeyPreview.h"

namespace vtx::client::sale {
namespace {

using widgets::named;

const QString kFormImpressaoSection = QStringLiteral("FormImpressao");

// A receipt line is 38 characters: the list shows 48 of them across and
// about 24 lines; buttons a little taller than their text.
constexpr int kColunasVisiveis = 48;
constexpr int kLinhasVisiveis = 24;
constexpr int kFormImpressaoEspaco = 6;
constexpr int kFormImpressaoAlturaBotao = 28;

}  // namespace

FormImpressao::FormImpressao(ClientSession& session, SaleHost host, QWidget* parent)
    : QDialog(parent), session_(session), host_(std::move(host)) {
    setObjectName(QStringLiteral("FormImpressao"));
    setWindowTitle(QStringLiteral("Imagem da Impressão"));
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormImpressaoEspaco * 2);
    lstImpressao = named(new QListWidget, "lstImpressao");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lstImpressao->setFont(fixed);
    const QFontMetrics metrics(fixed);
    lstImpressao->setMinimumSize(metrics.horizontalAdvance(QString(kColunasVisiveis, u'M')),
                                 metrics.lineSpacing() * kLinhasVisiveis);
    root->addWidget(lstImpressao, 1);
    cmdConfirma = named(new QPushButton(QStringLiteral("F5 - C&onfirma ")), "cmdConfirma");
    cmdImprimir = named(new QPushButton(QStringLiteral("F8 - Im&primir")), "cmdImprimir");
    cmdAnula = named(new QPushButton(QStringLiteral("F12 - &Anula")), "cmdAnula");
    for (QPushButton* b : {cmdConfirma, cmdImprimir, cmdAnula}) b->setAutoDefault(false);
    root->addLayout(
        widgets::evenButtonRow({cmdConfirma, cmdImprimir, cmdAnula}, kFormImpressaoAlturaBotao, kFormImpressaoEspaco));
    connect(cmdConfirma, &QPushButton::clicked, this, [this] { cmdConfirma_Click(); });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] { cmdImprimir_Click(); });
    connect(cmdAnula, &QPushButton::clicked, this, [this] { cmdAnula_Click(); });
    KeyPreview::install(*this, [this](int key) { return Form_KeyDown(key); });
    Form_Load();
}

void FormImpressao::Form_Load() {
    host_.printEnabled(false);
    adjustSize();
    widgets::CentralizaJanela(*this);
    PreencheImpressao();
}

void FormImpressao::PreencheImpressao() {
    guarded(session_.reporter, "PreencheImpressao", [&] {
        const int tipo = session_.settings.TipoEstab;
        auto entry = [&](const char* key) {
            return session_.captions.entry(kFormImpressaoSection, QString::fromLatin1(key), tipo);
        };
        aplicaCaption(*cmdConfirma, entry("CmdConfirma_Caption"));
        aplicaCaption(*cmdImprimir, entry("cmdImprimir_Caption"));
        aplicaCaption(*cmdAnula, entry("cmdAnula_Caption"));
        lstImpressao->clear();
        lstImpressao->addItems(sale::PreencheImpressao(
            session_.produtos, entry("lstImpressaoProdutos").enabled(),
            session_.settings.TelaAtual, receiptLines(session_)));
    });
}

QStringList FormImpressao::linhas() const {
    QStringList lines;
    for (int i = 0; i < lstImpressao->count(); ++i) lines << lstImpressao->item(i)->text();
    return lines;
}

void FormImpressao::setBotoes(bool confirma, bool imprimir, bool anula) {
    cmdConfirma->setEnabled(confirma);
    cmdImprimir->setEnabled(imprimir);
    cmdAnula->setEnabled(anula);
}

void FormImpressao::cmdImprimir_Click() {
    // The buttons come back as the station's captions left them: printing
    // does not enable a confirmation or reversal the station keeps off.
    const bool confirma = cmdConfirma->isEnabled();
    const bool imprimir = cmdImprimir->isEnabled();
    const bool anula = cmdAnula->isEnabled();
    setBotoes(false, false, false);
    const QString procedure = QStringLiteral("cmdImprimir_Click");
    guarded(session_.reporter, "cmdImprimir_Click", [&] {
        setHourglass(true);
        const QString fault = session_.printer != nullptr
                                  ? imprimeRecibo(*session_.printer, linhas())
                                  : textoFalhaImpressora(nullptr);
        setHourglass(false);
        if (!fault.isEmpty()) avisaFalhaImpressao(session_, procedure, fault);
    });
    setHourglass(false);
    setBotoes(confirma, imprimir, anula);
}

void FormImpressao::cmdConfirma_Click() {
    setBotoes(false, true, false);
    guarded(session_.reporter, "cmdConfirma_Click", [&] {
        setHourglass(true);
        Mensagem_Confirmacao(session_);
    });
    setHourglass(false);
    setBotoes(true, true, true);
    done(Confirmado);
}

void FormImpressao::cmdAnula_Click() {
    setBotoes(false, false, false);
    guarded(session_.reporter, "cmdAnula_Click", [&] {
        setHourglass(true);
        Mensagem_Anulacao(session_);
    });
    setHourglass(false);
    setBotoes(true, true, true);
    done(Anulado);
}

bool FormImpressao::Form_KeyDown(int key) {
    bool handled = false;
    guarded(session_.reporter, "FormImpressaoForm_KeyDown", [&] {
        if (key == Qt::Key_F5 && cmdConfirma->isEnabled()) {
            handled = true;
            cmdConfirma_Click();
        } else if (key == Qt::Key_F12 && cmdAnula->isEnabled()) {
            handled = true;
            cmdAnula_Click();
        } else if (key == Qt::Key_F8 && cmdImprimir->isEnabled()) {
            // The print button's caption names F8: the key does what it says.
            handled = true;
            cmdImprimir_Click();
        } else if (key == Qt::Key_Escape) {
            handled = true;  // the screen closes by confirmation or reversal only
        }
    });
    return handled;
}

void FormImpressao::reject() {
    // Neither confirmed nor reversed: the screen stays.
}

}  // namespace vtx::client::sale

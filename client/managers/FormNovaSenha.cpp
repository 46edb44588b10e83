#include "managers/FormNovaSenha.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "core/PasswordChange.h"
#include "managers/FormControls.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"

namespace vtx::client {
namespace {

using widgets::named;

const QString kFormNovaSenhaSection = QStringLiteral("FormNovaSenha");

// Spacing of the form (pixels); the fields' width holds their longest entry
// with room to spare; buttons a little taller than their text.
constexpr int kFormNovaSenhaEspaco = 6;
constexpr int kFormNovaSenhaLarguraCampo = 180;
constexpr int kFormNovaSenhaAlturaBotao = 28;

}  // namespace

FormNovaSenha::FormNovaSenha(ClientSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("FormNovaSenha"));
    setWindowTitle(QStringLiteral("Nova Senha"));
    buildControls();
    Form_Load();
}

void FormNovaSenha::buildControls() {
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormNovaSenhaEspaco * 2);
    auto* fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fields->setHorizontalSpacing(kFormNovaSenhaEspaco * 2);
    fields->setVerticalSpacing(kFormNovaSenhaEspaco);
    root->addLayout(fields);
    lblNovaSenha = named(new QLabel, "lblNovaSenha");
    txtNovaSenha = named(new QLineEdit, "txtNovaSenha");
    lblNovaSenha2 = named(new QLabel, "lblNovaSenha2");
    txtNovaSenha2 = named(new QLineEdit, "txtNovaSenha2");
    for (QLineEdit* field : {txtNovaSenha, txtNovaSenha2}) {
        field->setEchoMode(QLineEdit::Password);
        prepareTextField(*field);
    }
    fields->addRow(lblNovaSenha, txtNovaSenha);
    fields->addRow(lblNovaSenha2, txtNovaSenha2);
    for (QLineEdit* field : {txtNovaSenha, txtNovaSenha2}) field->setMinimumWidth(kFormNovaSenhaLarguraCampo);

    cmdOk = named(new QPushButton(QStringLiteral("F3 - &Confirma")), "cmdOk");
    cmdCancel = named(new QPushButton(QStringLiteral("ESC - &Cancel")), "cmdCancel");
    // The buttons share the width under the fields evenly.
    root->addLayout(widgets::evenButtonRow({cmdOk, cmdCancel}, kFormNovaSenhaAlturaBotao, kFormNovaSenhaEspaco));
    for (QPushButton* button : {cmdOk, cmdCancel}) prepareButton(*button);
    setTabOrder(txtNovaSenha, txtNovaSenha2);
    setTabOrder(txtNovaSenha2, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    connect(txtNovaSenha, &QLineEdit::returnPressed, this,
            [this] { widgets::EnterTab(*txtNovaSenha); });
    connect(txtNovaSenha2, &QLineEdit::returnPressed, this, [this] {
        if (cmdOk->isEnabled()) cmdOk->click();
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    bindKey(*this, Qt::Key_F3, *cmdOk);
    bindKey(*this, Qt::Key_Escape, *cmdCancel);
}

void FormNovaSenha::Form_Load() {
    const int tipo = session_.settings.TipoEstab;
    const CaptionTable& captions = session_.captions;
    applyFieldCaption(*lblNovaSenha, *txtNovaSenha,
                      captions.entry(kFormNovaSenhaSection, QStringLiteral("txtNovaSenha"), tipo));
    applyFieldCaption(*lblNovaSenha2, *txtNovaSenha2,
                      captions.entry(kFormNovaSenhaSection, QStringLiteral("txtNovaSenha2"), tipo));
    applyButtonCaption(*cmdOk, captions.entry(kFormNovaSenhaSection, QStringLiteral("cmdOk_Caption"), tipo));
    applyButtonCaption(*cmdCancel,
                       captions.entry(kFormNovaSenhaSection, QStringLiteral("cmdCancel_Caption"), tipo));
    adjustSize();
    widgets::CentralizaJanela(*this);
    txtNovaSenha->setFocus();
}

int FormNovaSenha::exec() {
    PointerShape normal(Qt::ArrowCursor);
    return QDialog::exec();
}

void FormNovaSenha::cmdOk_Click() {
    NovaSenhaResult result = NovaSenhaResult::NaoGravada;
    try {
        result = ConfirmaNovaSenha(session_, txtNovaSenha->text(), txtNovaSenha2->text());
    } catch (const std::exception& fault) {
        session_.reporter.TrataErro(QStringLiteral("cmdOk_Click"),
                                    QString::fromLocal8Bit(fault.what()));
    }
    switch (result) {
        case NovaSenhaResult::Confirmada:
            accept();
            return;
        case NovaSenhaResult::Recusada:
            txtNovaSenha->setFocus();
            widgets::SelecionaCampo(*txtNovaSenha);
            return;
        case NovaSenhaResult::NaoGravada:
            return;
    }
}

void FormNovaSenha::cmdCancel_Click() {
    reject();
}

}  // namespace vtx::client

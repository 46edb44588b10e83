#include "managers/FormLogin.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "core/IniAccess.h"
#include "core/LoginValidation.h"
#include "managers/FormControls.h"
#include "managers/FormNovaSenha.h"
#include "widgets/FormHelpers.h"
#include "widgets/FormLayout.h"

namespace vtx::client {
namespace {

using widgets::named;

const QString kFormLoginSection = QStringLiteral("FormLogin");

// Spacing of the form (pixels); the fields' width holds their longest entry
// with room to spare; buttons a little taller than their text.
constexpr int kFormLoginEspaco = 6;
constexpr int kFormLoginLarguraCampo = 180;
constexpr int kFormLoginAlturaBotao = 28;

}  // namespace

FormLogin::FormLogin(ClientSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("FormLogin"));
    setWindowTitle(QStringLiteral("Login"));
    buildControls();
    Form_Load();
}

void FormLogin::buildControls() {
    auto* root = new QVBoxLayout(this);
    root->setSpacing(kFormLoginEspaco * 2);
    auto* fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fields->setHorizontalSpacing(kFormLoginEspaco * 2);
    fields->setVerticalSpacing(kFormLoginEspaco);
    root->addLayout(fields);
    lblUserName = named(new QLabel, "lblUserName");
    txtUserName = named(new QLineEdit, "txtUserName");
    lblPassword = named(new QLabel, "lblPassword");
    txtPassword = named(new QLineEdit, "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    fields->addRow(lblUserName, txtUserName);
    fields->addRow(lblPassword, txtPassword);
    for (QLineEdit* field : {txtUserName, txtPassword}) field->setMinimumWidth(kFormLoginLarguraCampo);

    cmdOk = named(new QPushButton(QStringLiteral("F3 - &OK")), "cmdOk");
    cmdCancel = named(new QPushButton(QStringLiteral("ESC - &Cancel")), "cmdCancel");
    // The buttons share the width under the fields evenly.
    root->addLayout(widgets::evenButtonRow({cmdOk, cmdCancel}, kFormLoginAlturaBotao, kFormLoginEspaco));

    for (QLineEdit* field : {txtUserName, txtPassword}) prepareTextField(*field);
    for (QPushButton* button : {cmdOk, cmdCancel}) prepareButton(*button);
    setTabOrder(txtUserName, txtPassword);
    setTabOrder(txtPassword, cmdOk);
    setTabOrder(cmdOk, cmdCancel);

    connect(txtUserName, &QLineEdit::returnPressed, this,
            [this] { widgets::EnterTab(*txtUserName); });
    connect(txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (cmdOk->isEnabled()) cmdOk->click();
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    bindKey(*this, Qt::Key_F3, *cmdOk);
    bindKey(*this, Qt::Key_Escape, *cmdCancel);
}

void FormLogin::Form_Load() {
    // Only a login that ends valid here counts.
    session_.login.loginEfetuado = false;
    const int tipo = session_.settings.TipoEstab;
    const CaptionTable& captions = session_.captions;
    applyFieldCaption(*lblUserName, *txtUserName,
                      captions.entry(kFormLoginSection, QStringLiteral("txtUserName"), tipo));
    applyFieldCaption(*lblPassword, *txtPassword,
                      captions.entry(kFormLoginSection, QStringLiteral("txtPassword"), tipo));
    applyButtonCaption(*cmdOk, captions.entry(kFormLoginSection, QStringLiteral("cmdOk_Caption"), tipo));
    applyButtonCaption(*cmdCancel,
                       captions.entry(kFormLoginSection, QStringLiteral("cmdCancel_Caption"), tipo));
    adjustSize();
    widgets::CentralizaJanela(*this);
    txtUserName->setFocus();
}

void FormLogin::cmdOk_Click() {
    cmdOk->setEnabled(false);
    bool valid = false;
    bool userValid = false;
    {
        PointerShape busy(Qt::WaitCursor);
        try {
            userValid = ValidaUsuario();
            valid = userValid &&
                    ValidaSenha(trimBlanks(txtUserName->text()), trimBlanks(txtPassword->text()));
        } catch (const std::exception& fault) {
            session_.reporter.TrataErro(QStringLiteral("cmdOk_Click"),
                                        QString::fromLocal8Bit(fault.what()));
            valid = false;
        }
    }
    session_.login.loginEfetuado = valid;
    if (valid) {
        accept();
        return;
    }
    cmdOk->setEnabled(true);
    if (!userValid) {
        txtUserName->setFocus();
        return;
    }
    txtPassword->clear();
    txtPassword->setFocus();
    widgets::SelecionaCampo(*txtPassword);
}

void FormLogin::cmdCancel_Click() {
    session_.login.loginEfetuado = false;
    QDialog::reject();
}

void FormLogin::reject() {
    session_.login.loginEfetuado = false;
    QDialog::reject();
}

bool FormLogin::ValidaUsuario() {
    return vtx::client::ValidaUsuario(session_, txtUserName->text());
}

bool FormLogin::ValidaSenha(const QString& user, const QString& password) {
    return vtx::client::ValidaSenha(session_, user, password, [this] { abreNovaSenha(); });
}

int FormLogin::exec() {
    PointerShape normal(Qt::ArrowCursor);
    return QDialog::exec();
}

void FormLogin::abreNovaSenha() {
    FormNovaSenha form(session_, this);
    session_.dialogs.showModal(form);
}

}  // namespace vtx::client

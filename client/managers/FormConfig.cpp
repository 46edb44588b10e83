#include "managers/FormConfig.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "managers/FormControls.h"
#include "widgets/FormHelpers.h"

namespace vtx::client {

FormConfig::FormConfig(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormConfig"));
    setWindowTitle(QStringLiteral("Configurações do Sistema"));
    auto* root = new QVBoxLayout(this);
    root->addStretch();
    auto* buttons = new QHBoxLayout;
    cmdFechar = new QPushButton(QStringLiteral("&Fechar"));
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    buttons->addStretch();
    buttons->addWidget(cmdFechar);
    root->addLayout(buttons);
    connect(cmdFechar, &QPushButton::clicked, this, [this] { cmdFechar_Click(); });
    resize(400, 200);
    widgets::CentralizaJanela(*this);
}

int FormConfig::exec() {
    PointerShape normal(Qt::ArrowCursor);
    return QDialog::exec();
}

void FormConfig::cmdFechar_Click() {
    accept();
}

}  // namespace vtx::client

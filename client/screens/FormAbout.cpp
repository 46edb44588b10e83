#include "screens/FormAbout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "vtx/Version.h"

namespace vtx::client {

FormAbout::FormAbout(Dialogs& dialogs, QWidget* parent, const QString& programFile)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("formAbout"));
    const QString title = QCoreApplication::applicationName().isEmpty()
                              ? QStringLiteral("VtxClient")
                              : QCoreApplication::applicationName();
    setWindowTitle(QStringLiteral("Sobre ") + title);
    // The product's version, the one its packages carry.
    const QString version = QStringLiteral(VTX_VERSION);

    const QFileInfo file(programFile.isEmpty() ? QCoreApplication::applicationFilePath()
                                               : programFile);
    QString dataText, tamanho;
    if (file.exists()) {
        dataText = QStringLiteral("Data: ") +
               file.lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
        tamanho = QStringLiteral("Tam. Executável: ") + QString::number(file.size()) +
                  QStringLiteral(" bytes");
    }
    auto* layout = new QVBoxLayout(this);
    auto addLabel = [&](const char* name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        layout->addWidget(label);
    };
    addLabel("lblTitle", title);
    addLabel("lblVersion", QStringLiteral("Versão ") + version);
    addLabel("lblData", dataText);
    addLabel("lblTamanho", tamanho);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* sysInfo = new QPushButton(QStringLiteral("&Informações do Sistema..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(sysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void FormAbout::cmdSysInfo_Click() {
    // No system information tool is registered on this platform.
    dialogs_.message(QStringLiteral("System Information Is Unavailable At This Time"),
                     windowTitle(), MessageIcon::Information);
}

}  // namespace vtx::client

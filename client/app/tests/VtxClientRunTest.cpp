// The real VtxClient against a prepared station, on an X server of its own
// (Xvfb; Qt's offscreen platform where Xvfb is not installed): it shows the
// card screen (pictured through --screenshot) and ends when the exit
// confirmation is answered Yes (VTX_AUTOANSWER, VTX_AUTOCLOSE_MS).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

#include "TestRoot.h"

namespace {

// An Xvfb server on a display number nobody uses, stopped by the destructor.
class VirtualDisplay {
public:
    VirtualDisplay() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty()) return;
        for (int n = 150 + (::getpid() % 50) * 4; n < 400; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            server_.start(xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                                 QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                 QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!server_.waitForStarted(5000)) return;
            for (int i = 0; i < 600; ++i) {  // up to 30 s on a loaded machine
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                    display_ = QStringLiteral(":%1").arg(n);
                    return;
                }
                if (server_.waitForFinished(50)) break;  // the number was taken after all
            }
        }
    }
    ~VirtualDisplay() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000)) server_.kill();
        }
    }
    // Empty when no X server could be started.
    const QString& display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

// One caption value: the same 35-character slot for the three types.
std::string caption(const std::string& key, const std::string& flag, const std::string& text) {
    std::string slot = flag + "0000" + text;
    slot.resize(35, ' ');
    return key + "=" + slot + slot + slot + "\r\n";
}

TEST(VtxClientRun, ShowsTheCardScreenAndEndsOnYes) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    vtx::test::TempRoot root;
    root.writeFile("C/Windows/WINVTXCORE.INI",
                   "[CORE]\r\nPath Server=C:\\Vantrix\r\nPath CORE=C:\\Vantrix\r\n");
    root.writeFile("C/Vantrix/CORE.INI", "[CONFIG]\r\nESTAB_CODE=000000000012345\r\n");
    root.writeFile("C/Vantrix/VXTb_Opr.txt", "REDE ALFA           ALFA0001\r\n");
    std::string ini = "[DADOS_GERAIS]\r\nTimeOut_Login=30\r\nbMsgIso=N\r\n[FormInicial]\r\n";
    for (const char* key :
         {"BtnPreVenda", "cmdVenda", "cmdAdmin", "optSelecaoEstab", "optSelecaoRede",
          "optSelecaoDistribuidor", "optLeitura", "optDigitacao"})
        ini += caption(key, "Y", key);
    ini += caption("CmdConfirmaOper_Caption", "Y", "F3 - &Confirma Operadora");
    root.writeFile("C/Vantrix/VtxClient.ini", ini);

    const QString shots = QString::fromStdString(root.native("shots"));
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    VirtualDisplay x;
    if (x.display().isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("DISPLAY"), x.display());
    }
    env.insert(QStringLiteral("VTX_AUTOANSWER"), QStringLiteral("yes"));
    env.insert(QStringLiteral("VTX_AUTOCLOSE_MS"), QStringLiteral("1500"));
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(VTX_BIN_DIR "/VtxClient"), {QStringLiteral("--screenshot"), shots});
    ASSERT_TRUE(client.waitForStarted(10000)) << client.errorString().toStdString();
    const bool finished = client.waitForFinished(30000);
    if (!finished) client.kill();
    const QString errors = QString::fromUtf8(client.readAllStandardError());
    ASSERT_TRUE(finished) << errors.toStdString();
    EXPECT_EQ(client.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(client.exitCode(), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("[Atenção] Confirma a Saída do Sistema")))
        << errors.toStdString();
    const QStringList pictures =
        QDir(shots).entryList({QStringLiteral("*-FormInicial.png")}, QDir::Files);
    ASSERT_EQ(pictures.size(), 1) << QDir(shots).entryList().join(' ').toStdString();
    EXPECT_GT(QFileInfo(QDir(shots).filePath(pictures[0])).size(), 1000);
}

}  // namespace

// The about window: the product's version whatever the application object
// says, and the program file's size (empty lines without the file).
#include <QCoreApplication>
#include <QLabel>

#include "screens/FormAbout.h"
#include "screens/tests/ScreenFixture.h"
#include "vtx/Version.h"

namespace vtx::client::test {
namespace {

class AboutWindowTest : public ScreenTest {
protected:
    static QString label(const FormAbout& about, const char* name) {
        const auto* found = about.findChild<QLabel*>(QString::fromLatin1(name));
        return found ? found->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
    }
};

TEST_F(AboutWindowTest, ShowsTheProductVersionAndTheProgramFile) {
    // The packages carry VTX_VERSION; the About window shows it even when
    // the application object was given another version.
    const QString before = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("0.0.1-other"));
    root_.writeFile("bin/VtxClient", "12345");
    FormAbout about(dialogs_, nullptr, QString::fromStdString(root_.native("bin/VtxClient")));
    QCoreApplication::setApplicationVersion(before);

    EXPECT_EQ(label(about, "lblVersion"), QStringLiteral("Versão " VTX_VERSION));
    EXPECT_EQ(label(about, "lblTamanho"), QStringLiteral("Tam. Executável: 5 bytes"));
    EXPECT_TRUE(label(about, "lblData").startsWith(QStringLiteral("Data: ")));

    FormAbout missing(dialogs_, nullptr, QString::fromStdString(root_.native("bin/none")));
    EXPECT_EQ(label(missing, "lblVersion"), QStringLiteral("Versão " VTX_VERSION));
    EXPECT_EQ(label(missing, "lblData"), QString());
    EXPECT_EQ(label(missing, "lblTamanho"), QString());
}

}  // namespace
}  // namespace vtx::client::test

// The kind and establishment pages drawn whole: their pictures are saved as
// wizard-kind.png and wizard-establishment.png into VTX_WIZARD_SHOTS when it
// names a folder (run under Xvfb for a person to look at), else into a
// temporary folder, and each must show more than a blank window.
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include "WizardHarness.h"

namespace vtx::install {
namespace {

// More than one colour: the page drew its controls.
bool drawn(const QPixmap& picture) {
    const QImage image = picture.toImage();
    if (image.isNull()) return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != first) return true;
    return false;
}

TEST_F(WizardTest, ScreenshotsOfTheKindAndEstablishmentPages) {
    QTemporaryDir temporary;
    QString dir = qEnvironmentVariable("VTX_WIZARD_SHOTS");
    if (dir.isEmpty()) dir = temporary.path();
    open(kindAndMode(install::kMonoUsuario));
    wizard().resize(640, 480);
    settle();
    const QPixmap kind = wizard().grab();
    EXPECT_TRUE(drawn(kind));
    ASSERT_TRUE(kind.save(dir + QStringLiteral("/wizard-kind.png")));
    walkTo(Page::kEstablishment);
    fillValid();
    settle();
    const QPixmap establishment = wizard().grab();
    EXPECT_TRUE(drawn(establishment));
    ASSERT_TRUE(establishment.save(dir + QStringLiteral("/wizard-establishment.png")));
}

}  // namespace
}  // namespace vtx::install

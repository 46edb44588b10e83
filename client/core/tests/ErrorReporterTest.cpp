#include "core/ErrorReporter.h"

#include <gtest/gtest.h>

#include "core/testing/ScriptedDialogs.h"

namespace vtx::client {
namespace {

TEST(TrataErro, ShowsAWarningOnlyWhenTipoLogIsM) {
    EstruturaPrincipal settings;
    settings.TituloMensagem = QStringLiteral("ATENÇÃO");
    testing::ScriptedDialogs dialogs;
    ErrorReporter reporter(settings, dialogs);

    settings.TipoLog = QStringLiteral("M");
    reporter.TrataErro(QStringLiteral("ObtemSenha"), 53, QStringLiteral("Arquivo não encontrado"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const MessageRequest& box = dialogs.messages()[0].request;
    EXPECT_EQ(box.text, QStringLiteral("Ocorreu o erro: Arquivo não encontrado - 53"));
    EXPECT_EQ(box.title, QStringLiteral("ATENÇÃOObtemSenha"));
    EXPECT_EQ(box.icon, MessageIcon::Warning);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);

    // The reporter follows the record: silent for any other TipoLog.
    for (const char* tipo : {"N", "", "m"}) {
        settings.TipoLog = QString::fromLatin1(tipo);
        reporter.TrataErro(QStringLiteral("X"), QStringLiteral("texto"));
    }
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

}  // namespace
}  // namespace vtx::client

namespace vtx::client {
namespace {

TEST(TrataErro, APrinterFaultIsShownWhateverTipoLogSays) {
    EstruturaPrincipal settings;
    settings.TituloMensagem = QStringLiteral("ATENÇÃO");
    testing::ScriptedDialogs dialogs;
    ErrorReporter reporter(settings, dialogs);
    for (const char* tipo : {"M", "N", ""}) {
        settings.TipoLog = QString::fromLatin1(tipo);
        reporter.reportPrinterFault(QStringLiteral("cmdImprimir_Click"),
                                    QStringLiteral("A impressora não está disponível."));
    }
    ASSERT_EQ(dialogs.messages().size(), 3u);
    for (const auto& shown : dialogs.messages()) {
        EXPECT_EQ(shown.request.text,
                  QStringLiteral("Ocorreu o erro: A impressora não está disponível."));
        EXPECT_EQ(shown.request.title, QStringLiteral("ATENÇÃOcmdImprimir_Click"));
        EXPECT_EQ(shown.request.icon, MessageIcon::Warning);
    }
}

}  // namespace
}  // namespace vtx::client

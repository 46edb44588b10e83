#include "core/MontaTela.h"

#include "core/IniAccess.h"
#include "core/NumericText.h"

namespace vtx::client {

void MontaTela(EstruturaPrincipal& settings, CaptionTable& captions,
               const ErrorReporter& reporter) {
    QString value;
    if (LeLinhaArquivoIni(QStringLiteral("CONFIG"), QStringLiteral("LEITOR_TYPE"), QString(), value,
                          settings.coreIni())) {
        if (std::optional<qint16> type = toInt16(valueOf(value))) {
            settings.LeitorType = *type;
        } else {
            reporter.TrataErro(QStringLiteral("MontaTela"), 6, QStringLiteral("Overflow"));
        }
    }

    captions.clear();
    const QString file = settings.clientIni();
    for (const CaptionSectionKeys& screen : CaptionTable::layout()) {
        for (const QString& key : screen.keys) {
            if (LeLinhaArquivoIni(screen.section, key, QString(), value, file)) {
                captions.setValue(screen.section, key, value);
            }
        }
    }
}

}  // namespace vtx::client

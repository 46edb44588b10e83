#include "core/EstablishmentLabels.h"

#include "core/IniAccess.h"

namespace vtx::client {

EstablishmentLabels establishmentLabels(const CaptionTable& captions,
                                        const EstruturaPrincipal& settings) {
    const QString section = QStringLiteral("FormComplementar");
    const int tipo = settings.TipoEstab;
    EstablishmentLabels labels;
    labels.codigo = captions.entry(section, QStringLiteral("lblCodigoEstab"), tipo).caption;
    labels.nome = captions.entry(section, QStringLiteral("lblNomeEstab"), tipo).caption;
    const QString code = trimBlanks(settings.CodigoEstab);
    if (!code.isEmpty() && !labels.codigo.contains(code))
        labels.codigo = labels.codigo.isEmpty() ? code : labels.codigo + QStringLiteral(" ") + code;
    return labels;
}

}  // namespace vtx::client

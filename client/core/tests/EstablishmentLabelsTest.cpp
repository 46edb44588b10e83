#include "core/EstablishmentLabels.h"

#include <gtest/gtest.h>

using namespace vtx::client;

TEST(EstablishmentLabels, TheCodeShowsOnceWhetherTheCaptionHoldsItOrOnlyNamesIt) {
    CaptionTable captions;
    EstruturaPrincipal settings;
    settings.TipoEstab = 2;
    settings.CodigoEstab = QStringLiteral("000000000012345");
    const QString blank(35, u' ');
    // What the installation writes: the code and the trade name themselves.
    captions.setValue(QStringLiteral("FormComplementar"), QStringLiteral("lblCodigoEstab"),
                      blank + QStringLiteral("A0000Código:000000000012345"));
    captions.setValue(QStringLiteral("FormComplementar"), QStringLiteral("lblNomeEstab"),
                      blank + QStringLiteral("A0000DROGARIA BOA SAUDE"));
    EstablishmentLabels labels = establishmentLabels(captions, settings);
    EXPECT_EQ(labels.codigo, QStringLiteral("Código:000000000012345"));
    EXPECT_EQ(labels.nome, QStringLiteral("DROGARIA BOA SAUDE"));

    // A caption that only names the line gets the code after it.
    captions.setValue(QStringLiteral("FormComplementar"), QStringLiteral("lblCodigoEstab"),
                      blank + QStringLiteral("Y0000Código da Rede:"));
    EXPECT_EQ(establishmentLabels(captions, settings).codigo,
              QStringLiteral("Código da Rede: 000000000012345"));
    settings.TipoEstab = 1;  // no slot for this type
    EXPECT_EQ(establishmentLabels(captions, settings).codigo, QStringLiteral("000000000012345"));
}

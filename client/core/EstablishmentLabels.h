// The establishment's two lines on the screens (lblCodigoEstab and
// lblNomeEstab), from the "FormComplementar" caption section of the current
// TipoEstab. The installation writes the code and the trade name into these
// captions ("Código:<code>", "<trade name>"); a station whose code caption
// is only a label ("Código do Estabelecimento:") gets the code from the
// settings (CodigoEstab) after it, so the code shows in either case.
//
// Thread-safety: pure function.
#pragma once

#include <QString>

#include "core/CaptionTable.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

struct EstablishmentLabels {
    QString codigo;  // lblCodigoEstab
    QString nome;    // lblNomeEstab
};

EstablishmentLabels establishmentLabels(const CaptionTable& captions,
                                        const EstruturaPrincipal& settings);

}  // namespace vtx::client

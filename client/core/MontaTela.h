// MontaTela: loads the caption table from the caption sections of
// VtxClient.ini in PathServer (every section and key of
// CaptionTable::layout(), each read with LeLinhaArquivoIni and an empty
// default), and the card reader type LeitorType from [CONFIG] "LEITOR_TYPE" of
// CORE.INI in PathCore. Called once by SetaEstruturaPrincipal.
//
// A missing or empty key leaves its control empty; a missing or empty
// LEITOR_TYPE leaves LeitorType unchanged; a LEITOR_TYPE beyond the 16-bit
// range is reported through TrataErro under "MontaTela" and also leaves it
// unchanged.
//
// Thread-safety: the client's single thread.
#pragma once

#include "core/CaptionTable.h"
#include "core/ErrorReporter.h"
#include "core/EstruturaPrincipal.h"

namespace vtx::client {

void MontaTela(EstruturaPrincipal& settings, CaptionTable& captions, const ErrorReporter& reporter);

}  // namespace vtx::client

// The establishment captions the installer writes into the client's
// VtxClient.ini, section [FormComplementar]: the trade name in the three
// establishment-type slots of 30 columns, and "Código:" with the
// establishment code in 23 columns. Windows-1252 bytes.
//
// Thread-safety: pure functions.
#pragma once

#include <string>
#include <string_view>

namespace vtx::install {

std::string establishmentNameCaption(std::string_view tradeName);   // lblNomeEstab
std::string establishmentCodeCaption(std::string_view code);        // lblCodigoEstab

}  // namespace vtx::install

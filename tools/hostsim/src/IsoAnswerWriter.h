// Writes an answer in the ISO 8583 form, laid out as the stations read it:
//   type    the request's type answered (0110, 0210, 0212, 0430, 0810)
//   bit 3   the request's processing code: the first data bit, so that the
//           type and processing code choose the item layout
//   bit 37  NSU, 12 digits
//   bit 39  status
//   bit 60  next page (1 digit), item count (2), receipt line count (2);
//           "Erro de formatacao na mensagem" for a request that could not
//           be read
//   bit 61  receipt lines, 38 characters each
//   bit 62  operator message
//   bit 63  for the kinds with an answer layout: the receipt lines again,
//           40 characters each, where the layout has that prefix, then one
//           record per item
//
// Thread-safety: pure function.
#pragma once

#include <string>

#include "HostAnswer.h"
#include "HostRequest.h"

namespace vtx::hostsim {

// The text the stations recognise in bit 60 as "the host could not read it".
inline constexpr const char* kIsoFormatError = "Erro de formatacao na mensagem";

std::string writeIsoAnswer(const HostRequest& request, const HostAnswer& answer);

}  // namespace vtx::hostsim

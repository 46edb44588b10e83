// The client's own reading of its checksummed data files (UP.Sxx,
// LT0001.Sxx), for the kinds that judge them: a quiet error reporter (no
// boxes, faults only logged), the name a text must carry, and the client's
// verification of a file against its name.
//
// Thread-safety: one thread at a time (the reporter is the client's).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ErrorReporter.h"

namespace vtx::crash {

const client::ErrorReporter& quietReporter();

// `prefix` followed by the check value of `lines` (Windows-1252 bytes,
// without their line ends): the name the file holding them must carry.
std::string checksummedName(std::string_view prefix, const std::vector<std::string>& lines);

// Valida_Check_Sum_Arquivo of the client over the file at `path` (native).
bool nameMatchesContent(const std::string& path);

}  // namespace vtx::crash

// Finding the station's data files in the installation directory (PathServer)
// by a wildcard name such as "UP.S??", whose last two characters are the
// file's checksum.
//
// Thread-safety: stateless; any thread.
#pragma once

#include <QString>
#include <optional>

#include "core/EstruturaPrincipal.h"

namespace vtx::client {

// PathServer + "\" + the first name in PathServer matching `pattern` ("?" one
// character, "*" any run, without regard to case; first in name order), or
// nullopt when none does.
std::optional<QString> findServerFile(const EstruturaPrincipal& settings, const QString& pattern);

}  // namespace vtx::client

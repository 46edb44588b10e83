// EnviaDireto: one exchange over a socket the caller owns and keeps open.
//
// Thread-safety: any thread; the caller owns socket, buffer and profile.
#pragma once

#include "vx32_cli.h"

namespace vtx::cli {

int exchangeDirect(char* buffer, const char* host, int port, int cipherMode, int sock,
                   int connected, VxConnectionProfile* profile);

}  // namespace vtx::cli

// The operators the station routes, as ListAdm gives them to the connection
// manager: section names of VXIFCLI.BIN in its INI form (access type 1), else
// the codes of the records, 9 bytes each (8 characters and a zero byte).
//
// Thread-safety: any thread.
#pragma once

namespace vtx::cli {

// Fills `list` (VX_LIST_SIZE bytes). Always returns 0.
int listOperators(char* list);

}  // namespace vtx::cli

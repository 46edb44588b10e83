// The operator's text for a dial-up error number, as the dial-up detail
// field shows it ("(678) Sem resposta"). Numbers follow the dial-up error
// numbering of vtx/platform/DialUp.h; 600 has no text.
//
// Thread-safety: pure function.
#pragma once

#include <string>

namespace vtx::linkagent {

std::string dialErrorText(int error);

// True for the password errors (648, 649), which are also shown in a
// message box titled "Erro na Conexão".
bool isPasswordError(int error);

}  // namespace vtx::linkagent

// The busy pointer the screens show while a command runs. Not a stack: like
// the screen's pointer property it is either busy or normal, however often
// it is set.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

namespace vtx::client {

void setHourglass(bool busy);
bool hourglassShown();

}  // namespace vtx::client

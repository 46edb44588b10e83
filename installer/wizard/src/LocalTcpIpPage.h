// Access mode 1 (dedicated local link): the local address and port the
// station's routes point to (IPLOCAL/TCPIP and IPLOCAL/PORTA).
//
// Thread-safety: the user-interface thread only.
#pragma once

#include "AnswersPage.h"

namespace vtx::install {

class LocalTcpIpPage : public AnswersPage {
public:
    explicit LocalTcpIpPage(InstallWizard& wizard);
};

}  // namespace vtx::install

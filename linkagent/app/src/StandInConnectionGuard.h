// Stand-in for dial-up management until it joins the program: the link to
// the host is taken as permanent, so a connection is always available (as
// with `ActiveDialUp` off).
//
// Thread-safety: any thread (no state).
#pragma once

#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class StandInConnectionGuard : public ConnectionGuard {
public:
    bool ensureConnection() override { return true; }
    void touch() override {}
    bool dialUpDown() const override { return false; }
};

}  // namespace vtx::linkagent

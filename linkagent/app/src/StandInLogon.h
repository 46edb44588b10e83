// Stand-in for the terminal logon until it joins the program: asked to start,
// it takes the operator list (ListAdm) and only records that it was asked,
// with a line "logon stand-in: asked for operators <codes>" on standard
// output. It exchanges nothing with the host and writes no file.
//
// Thread-safety: any thread.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "ConsoleOutput.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class StandInLogon {
public:
    StandInLogon(ConsoleOutput& output, OperatorLister lister)
        : output_(output), lister_(std::move(lister)) {}

    // Records the request; true (nothing ever runs, so none is running).
    bool startLogon();
    // Returns at once.
    void wait() {}

    int requests() const { return requests_.load(); }

    // The codes of a ListAdm buffer of `size` bytes: zero-terminated entries
    // up to the first empty one, each cut at its first blank.
    static std::vector<std::string> operatorCodes(const char* list, size_t size);

private:
    ConsoleOutput& output_;
    OperatorLister lister_;
    std::atomic<int> requests_{0};
};

}  // namespace vtx::linkagent

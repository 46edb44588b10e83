// The status fields on standard output: each change is a line
// "<field>: <text>" (fields message, connection, logon, ftp, dialup) and an
// entry of the log; with a status window, the change is shown there too.
//
// Thread-safety: any thread (the relay threads show their steps at once).
#pragma once

#include "ConsoleOutput.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class ConsoleStatusBoard : public StatusBoard {
public:
    // `window`, when given, is shown every change as well; it must outlive this.
    ConsoleStatusBoard(ConsoleOutput& output, Logger& logger, StatusBoard* window = nullptr)
        : output_(output), logger_(logger), window_(window) {}
    void show(StatusField field, const std::string& text) override;

    static const char* fieldName(StatusField field);

private:
    ConsoleOutput& output_;
    Logger& logger_;
    StatusBoard* const window_;
};

}  // namespace vtx::linkagent

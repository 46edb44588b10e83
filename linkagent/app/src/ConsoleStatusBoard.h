// The status fields of the program without a window: each change is a line
// "<field>: <text>" on standard output (fields message, connection, logon,
// ftp, dialup) and an entry of the log.
//
// Thread-safety: any thread (the relay threads show their steps at once).
#pragma once

#include "ConsoleOutput.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent {

class ConsoleStatusBoard : public StatusBoard {
public:
    ConsoleStatusBoard(ConsoleOutput& output, Logger& logger) : output_(output), logger_(logger) {}
    void show(StatusField field, const std::string& text) override;

    static const char* fieldName(StatusField field);

private:
    ConsoleOutput& output_;
    Logger& logger_;
};

}  // namespace vtx::linkagent

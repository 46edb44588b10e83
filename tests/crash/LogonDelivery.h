// Tables brought by one operator's logon, as the logon thread handles its
// answers: each table's records go through a TableAssembler (one answer
// per table), the staged files and the operator's marks through a
// LogonCommit. Also the commit's start-up recovery.
//
// Thread-safety: one delivery at a time per installation directory.
#pragma once

#include <string>
#include <vector>

#include "LogonStore.h"

namespace vtx::crash {

struct DeliveredTable {
    std::string name;
    std::vector<std::string> records;
};

// `dir`: the installation directory (native), its CORE.INI holding the marks.
// False when the commit did not complete.
bool deliverByLogon(const std::string& dir, const std::string& code,
                    const linkagent::logon::LogonMark& mark,
                    const std::vector<DeliveredTable>& tables);

// What LinkAgent's start does with the commits a killed logon left.
void recoverLogon(const std::string& dir);

}  // namespace vtx::crash

// What the host knows before its first request, read from the data folder
// given with --data (doc/hostsim.md, "Data folder"):
//   cards.ini     the cards (CardBook)
//   products.csv  the catalogue (Catalogue)
//   host.ini      optional: [Host] PreSaleCodes, the processing codes of a
//                 pre-sale eligibility request (default 800000); BatchSize,
//                 the transactions after which a batch closes (default 0:
//                 never)
//   tables/, logon.ini  optional: the terminal logon tables (LogonTables)
//
// Thread-safety: immutable once loaded; const use from any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CardBook.h"
#include "Catalogue.h"
#include "HostConfig.h"
#include "LogonTables.h"

namespace vtx::hostsim {

struct HostData {
    CardBook cards;
    Catalogue catalogue;
    std::vector<std::string> preSaleCodes{"800000"};
    long batchSize = 0;  // transactions per batch; 0: a batch never closes
    LogonTables logon;
};

// Reads the folder. On failure returns nullopt with `error` naming the file
// and where in it the problem is.
std::optional<HostData> loadHostData(const std::string& folder, std::string& error);

// The host.ini settings from text, into `data`; false with `error` set.
bool parseHostSettings(std::string_view content, HostData& data, std::string& error);

// Checks that every port naming an operator (key Operator) has its tables
// in `data`; false with `error` naming the section.
bool checkLogonOperators(const HostConfig& config, const HostData& data, std::string& error);

}  // namespace vtx::hostsim

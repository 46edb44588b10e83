// The end of one operator's logon, all or nothing: the tables its answers
// brought (staged by TableAssembler) go in place and its batch number and
// table version go to CORE.INI together, so the station never holds marks
// that say "up to date" over tables it does not have.
//
//   1. The commit record "_FILE$$$$$.OK.<code>" of the installation
//      directory names the staged files, the tables they become and the
//      marks (section LOGON: NLote, VTabela, Tabelas, Arquivo<n>, Tabela<n>).
//   2. Each staged file is installed, in order (TableInstaller).
//   3. The marks are written to CORE.INI, then the record is removed.
// A program stopped before the record is whole leaves the old tables and
// the old marks (the staged files are swept away later); stopped after,
// it leaves the record, and recover() completes steps 2 and 3 at the next
// start or logon. A table that cannot be put in place ends the commit
// without marks: the next logon asks for everything again.
//
// Thread-safety: one logon (or the start-up) at a time per installation
// directory; recover() must not run beside a logon.
#pragma once

#include <string>
#include <vector>

#include "LogonStore.h"
#include "TableAssembler.h"
#include "TableInstaller.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent::logon {

class LogonCommit {
public:
    // `dir`: the installation directory, native.
    LogonCommit(std::string dir, const LogonStore& store, Logger& logger)
        : dir_(std::move(dir)), store_(store), logger_(logger), installer_(dir_, logger) {}

    // Puts `tables` in place and records `mark` for `code`. False, with the
    // reason logged, when the record, a table or the marks could not be
    // written; the marks are then those from before. The staged files are
    // gone afterwards either way.
    bool commit(const std::string& code, const LogonMark& mark,
                const std::vector<StagedTable>& tables) const;

    // Completes every commit whose record a stopped program left, and
    // deletes staged files no record names and the temporaries of records
    // a stopped program was writing.
    void recover() const;

    std::string recordPath(const std::string& code) const;

private:
    bool writeRecord(const std::string& code, const LogonMark& mark,
                     const std::vector<StagedTable>& tables) const;
    // Steps 2 and 3 from the first table whose staged file is still there.
    bool finish(const std::string& code, const LogonMark& mark,
                const std::vector<StagedTable>& tables) const;
    void resume(const std::string& code) const;

    std::string dir_;
    const LogonStore& store_;
    Logger& logger_;
    TableInstaller installer_;
};

}  // namespace vtx::linkagent::logon

// Assembles the table files of one operator's logon from the pieces the
// answers carry, in the temporary file "_FILE$$$$$.TMP.<code>" of the
// installation directory:
//   the first answer that names a file opens the temporary file anew;
//   an answer naming another file (or none) closes it and stages it: the
//     whole file is renamed "_FILE$$$$$.TMP.<code>.<n>" (n = 1, 2, ... in
//     the order the files came) and kept with the name it was assembled
//     for; then, when a new file is named, the temporary file is opened
//     anew for it;
//   each record of an answer naming a file is written without its "!",
//     followed by CR LF; text after the last "!" is not written.
// Nothing is installed here: the staged files are handed to LogonCommit
// once the logon has received them all (takeStaged()). A file whose
// assembly is cut short (error, invalid answer, program ending) stays in
// the temporary file; the staged files of a logon that does not reach its
// end are deleted with the assembler.
//
// Thread-safety: one assembler per operator logon, used by one thread.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "LogonAnswer.h"
#include "vtx/linkagent/AgentServices.h"

namespace vtx::linkagent::logon {

// A whole table file waiting to be installed under `name`.
struct StagedTable {
    std::string path;  // native
    std::string name;
};

class TableAssembler {
public:
    // `dir`: the installation directory, native; `code`: the operator.
    TableAssembler(const std::string& dir, const std::string& code);
    ~TableAssembler();
    TableAssembler(const TableAssembler&) = delete;
    TableAssembler& operator=(const TableAssembler&) = delete;

    // Takes one answer's file name and records. False when the temporary
    // file could not be opened, written or staged; problem() then holds the
    // log text, and the file being assembled is left uninstalled.
    bool take(const LogonAnswer& answer);

    // Closes the temporary file without staging it.
    void abandon();

    // The files staged so far, in order; the caller takes them over (they
    // are no longer deleted with the assembler).
    std::vector<StagedTable> takeStaged();

    const std::string& tempPath() const { return tempPath_; }
    const std::string& problem() const { return problem_; }

private:
    bool openTemp();
    // Closes the temporary file; false when its content did not all reach it.
    bool closeTemp();
    bool fail(const char* what);
    // Renames the closed temporary file to the next staged name.
    bool stage();

    std::string tempPath_;
    std::FILE* file_ = nullptr;
    std::string current_;  // the file being assembled; empty: none
    std::vector<StagedTable> staged_;
    std::string problem_;
};

}  // namespace vtx::linkagent::logon

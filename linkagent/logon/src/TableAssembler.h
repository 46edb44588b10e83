// Assembles the table files of one operator's logon from the pieces the
// answers carry, in the temporary file "_FILE$$$$$.TMP.<code>" of the
// installation directory:
//   the first answer that names a file opens the temporary file anew;
//   an answer naming another file (or none) closes it and installs it
//     (TableInstaller) under the name it was assembled for, then, when a
//     new file is named, opens the temporary file anew for it;
//   each record of an answer naming a file is written without its "!",
//     followed by CR LF; text after the last "!" is not written.
// A file whose assembly is cut short (error, invalid answer, program
// ending) stays in the temporary file and is not installed.
//
// Thread-safety: one assembler per operator logon, used by one thread.
#pragma once

#include <cstdio>
#include <string>

#include "LogonAnswer.h"
#include "TableInstaller.h"

namespace vtx::linkagent::logon {

class TableAssembler {
public:
    // `dir`: the installation directory, native; `code`: the operator.
    TableAssembler(const std::string& dir, const std::string& code, Logger& logger);
    ~TableAssembler();
    TableAssembler(const TableAssembler&) = delete;
    TableAssembler& operator=(const TableAssembler&) = delete;

    // Takes one answer's file name and records. False when the temporary
    // file could not be opened or written; problem() then holds the log
    // text, and the file being assembled is left uninstalled. A file that
    // cannot be moved in place is logged by the installer and does not
    // stop the assembly of the next one.
    bool take(const LogonAnswer& answer);

    // Closes the temporary file without installing it.
    void abandon();

    const std::string& tempPath() const { return tempPath_; }
    const std::string& problem() const { return problem_; }

private:
    bool openTemp();
    // Closes the temporary file; false when its content did not all reach it.
    bool closeTemp();
    bool fail(const char* what);

    TableInstaller installer_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    std::string current_;  // the file being assembled; empty: none
    std::string problem_;
};

}  // namespace vtx::linkagent::logon

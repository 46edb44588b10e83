// The client core as the transaction subcommands of `vtx` use it: the
// station's settings and operator table loaded as the point-of-sale client
// loads them, the communication library bound by name, the chosen
// administrator selected, and printing of what an answer holds.
//
// Thread-safety: one thread.
#pragma once

#include <memory>
#include <optional>

#include "Commands.h"
#include "ConsoleDialogs.h"
#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "messaging/LoadedCommLibrary.h"

namespace vtx::tool {

// "--name value" options and "--flag" switches of one command line.
class Options {
public:
    // False (after a message) on an unknown option or a missing value.
    bool parse(const Args& args, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flags);
    QString value(const std::string& name, const QString& def = {}) const;
    bool has(const std::string& name) const;

private:
    std::vector<std::pair<std::string, std::string>> values_;
};

class ClientStation {
public:
    ClientStation();
    // Loads the settings and the operator table and selects the
    // administrator named `admin` (name or code; empty: the first).
    bool open(const QString& admin, bool iso);

    client::ClientSession& session() { return session_; }
    // The station's pending-transaction journal (open after open()).
    client::TransactionJournal& journal() { return *journal_; }

    // The answer's message, its status judgement and its receipt lines.
    void printAnswer(bool accepted);
    void printGrid(const client::GridModel& grid);

private:
    ConsoleDialogs dialogs_;
    client::LoadedCommLibrary comm_;
    client::ClientSession session_;
    std::unique_ptr<client::TransactionJournal> journal_;
};

// Products from a CSV file (";" or "," separated, a heading line starting
// with "#" or "code" skipped): code;quantity;gross;discount;net;type;complement
// into a pre-sale grid. nullopt (after a message) when the file cannot be read
// or a line is malformed.
std::optional<client::GridModel> readProductsCsv(const QString& path);

}  // namespace vtx::tool

// What the terminal logon keeps in the station's CORE.INI: the
// establishment code and the pause between exchanges (section CONFIG), and
// per operator the batch number and table version of its last whole logon
// (section LOGON, keys "NLote_<code>" and "VTabela_<code>"), so that a later
// logon asks the host only for what is newer. The marks are written only
// with the tables they stand for (LogonCommit).
//
// Thread-safety: any thread; each call reads or writes the file afresh
// (the platform's INI writes are atomic and locked).
#pragma once

#include <string>

namespace vtx::linkagent::logon {

// The batch number (up to 10 characters) and table version (up to 6) a
// station holds for one operator; empty when it never logged on.
struct LogonMark {
    std::string batch;
    std::string version;

    bool operator==(const LogonMark&) const = default;
};

class LogonStore {
public:
    // `coreIni`: the path of CORE.INI (Windows-style or native).
    explicit LogonStore(std::string coreIni) : coreIni_(std::move(coreIni)) {}

    // CONFIG / ESTAB_CODE; empty when missing.
    std::string establishment() const;

    // CONFIG / DELAY_INICIALIZACAO in milliseconds, within [0, `limit`].
    long delayMs(long limit) const;

    LogonMark mark(const std::string& code) const;

    // Writes both keys in one replacement of the file; false when it could
    // not be written.
    bool saveMark(const std::string& code, const LogonMark& mark) const;

    const std::string& path() const { return coreIni_; }

private:
    std::string coreIni_;
};

}  // namespace vtx::linkagent::logon

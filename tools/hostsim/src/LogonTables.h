// The tables the host hands out at terminal logon (0800 / 388000), per
// operator, read from the data folder (doc/hostsim.md, "Logon tables"):
//   tables/<OPERATOR>/  the operator's table files, each line a record
//   logon.ini           optional: one section per operator with its batch
//                       number, table version, records per answer and fault
// Each file is cut into pieces of whole records, every record ended by "!";
// one piece travels in each 0810 answer.
//
// Thread-safety: immutable once loaded; const use from any thread.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtx::hostsim {

enum class LogonFault { kNone, kInvalid, kFail };

struct TablePiece {
    std::string fileName;
    std::string data;  // whole records, each ended by "!"
    size_t records = 0;
};

struct OperatorTables {
    std::string batch = "0000000001";  // 10 digits
    std::string version = "000001";    // 6 digits
    long recordsPerPiece = 20;
    LogonFault fault = LogonFault::kNone;
    long faultAt = 1;                // the answer of a logon (1: the first) the fault replaces
    std::vector<TablePiece> pieces;  // files in name order, each file's records in line order
};

// The most data one answer carries: bit 63 holds at most 999 characters.
inline constexpr size_t kMaxPieceBytes = 999;

class LogonTables {
public:
    // Reads `folder`/tables and `folder`/logon.ini. A folder without tables/
    // has no operators. On failure returns nullopt with `error` naming the
    // file and the section, key or line.
    static std::optional<LogonTables> load(const std::string& folder, std::string& error);

    // The operator's tables (name compared without regard to case), or nullptr.
    const OperatorTables* find(std::string_view op) const;

    size_t size() const { return operators_.size(); }

    // Cuts the text of one table file into pieces of at most `records`
    // records and kMaxPieceBytes bytes. Lines end in LF or CR LF; an empty
    // file is one piece without records. False with `error` naming the line
    // when a record holds "!" or cannot fit in one answer.
    static bool cut(const std::string& fileName, std::string_view content, long records,
                    std::vector<TablePiece>& pieces, std::string& error);

    // Applies the logon.ini text to the operators already read.
    bool applySettings(std::string_view content, std::string& error);

    void add(std::string op, OperatorTables tables) {
        operators_[std::move(op)] = std::move(tables);
    }

private:
    OperatorTables* findMutable(std::string_view op);

    std::map<std::string, OperatorTables> operators_;
};

}  // namespace vtx::hostsim

// The tables of one operator's logon (LinkAgent's TableInstaller under a
// LogonCommit): a permission file LT0001.Sxx (a generation name, the older
// generations removed), two plain tables (the replaced copy kept as
// "<name>.BKP") and the operator's batch number and table version in
// CORE.INI. Generation g brings batch g and version g with one of two sets
// of tables.
//
// Sound means: the marks in CORE.INI never stand over tables the station
// does not have; without a commit record the tables are all of the marks'
// generation; with one, each table is whole, old or new, and the start-up
// completes the commit; every table and .BKP is a whole generation; the
// LT0001 family holds one file but while a record is there.
#include <string>
#include <vector>

#include "ClientChecks.h"
#include "FileKind.h"
#include "LogonDelivery.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr const char* kOperator = "OPA";
constexpr const char* kRecord = "_FILE$$$$$.OK.OPA";
constexpr int kProducts = 400;

std::vector<std::string> permissionsOf(long g) {
    if (g % 2 == 0) return {"000,MNG1,SSSSSSSSS", "001,MNG2,SNSNSNSNS", "SUPORTE,123456"};
    return {"000,MNG1,NNNNNNNNN", "001,MNG2,SSSSNNNNS", "002,MNG3,SNNNNNNNS", "SUPORTE,654321"};
}

std::vector<DeliveredTable> tablesOf(long g) {
    std::vector<std::string> products;
    std::vector<std::string> table;
    for (int p = 0; p < kProducts; ++p) {
        products.push_back("PRODUTO " + std::to_string(p) + (g % 2 == 0 ? " ANTIGO " : " NOVO ") +
                           std::string(40, static_cast<char>('A' + p % 26)));
        if (p % 4 == 0) table.push_back("T" + std::to_string(p) + (g % 2 == 0 ? ",A" : ",B"));
    }
    return {{checksummedName("LT0001.S", permissionsOf(g)), permissionsOf(g)},
            {"PRODUTO.TXT", products},
            {"TABELA.TXT", table}};
}

std::string bytesOf(const DeliveredTable& table) {
    std::string bytes;
    for (const std::string& record : table.records) bytes += record + "\r\n";
    return bytes;
}

linkagent::logon::LogonMark markOf(long g) {
    const std::string n = std::to_string(g);
    return {std::string(10 - n.size(), '0') + n, std::string(6 - n.size(), '0') + n};
}

// The file a logon assembles a table in: a killed logon leaves it, the
// next logon of the operator opens it anew; no reader takes it for a table.
std::string assemblyFile() {
    return std::string("_FILE$$$$$.TMP.") + kOperator;
}

class LogonTablesKind : public FileKind {
public:
    explicit LogonTablesKind(const std::string& root)
        : FileKind(root),
          dir_(platform::joinPath(root, "C/Vantrix")),
          coreIni_(platform::joinPath(dir_, "CORE.INI")) {}

    const char* name() const override { return "logon"; }

    void write(long n) override { deliverByLogon(dir_, kOperator, markOf(n), tablesOf(n)); }

    Verdict judge(long older, long newer, bool settled) const override {
        Verdict v;
        const auto files = detail::filesOf(dir_);
        const bool record = files.count(kRecord) > 0;
        const linkagent::logon::LogonMark mark{
            platform::iniGetString(coreIni_, "LOGON", std::string("NLote_") + kOperator, ""),
            platform::iniGetString(coreIni_, "LOGON", std::string("VTabela_") + kOperator, "")};
        for (long g = older; g <= newer; ++g) {
            if (mark == markOf(g)) v.generation = g;
        }
        if (v.generation < 0) {
            v.problem = "marks " + mark.batch + "/" + mark.version + " of no generation looked for";
            return v;
        }
        // Each table: the generation it holds, or -1.
        auto generationOfTable = [&](size_t t, const std::string& file) {
            const auto it = files.find(file);
            if (it == files.end()) return -1L;
            return detail::generationOf(it->second, older, newer,
                                        [t](long g) { return bytesOf(tablesOf(g)[t]); });
        };
        for (size_t t = 0; t < 3; ++t) {
            const std::string plain = tablesOf(0)[t].name;
            const bool generationName = t == 0;
            long held = -1;
            int copies = 0;
            for (long g = older; g <= newer && generationName; ++g) {
                const std::string file = tablesOf(g)[t].name;
                const long h = generationOfTable(t, file);
                if (h < 0) continue;
                ++copies;
                if (!nameMatchesContent(platform::joinPath(dir_, file)))
                    v.problem = file + ": checksum of its name wrong";
                // The one installed last wins; the older goes at the end of the install.
                held = std::max(held, h);
            }
            if (!generationName) held = generationOfTable(t, plain);
            if (held < 0)
                v.problem = tablesOf(0)[t].name.substr(0, 8) + ": no whole table";
            else if (!record && held != v.generation)
                v.problem = "marks of generation " + std::to_string(v.generation) + " over " +
                            tablesOf(held)[t].name + " of generation " + std::to_string(held);
            else if (held < v.generation)
                v.problem =
                    "marks of generation " + std::to_string(v.generation) + " before its tables";
            if (copies > 1 && !record) v.problem = "two generations of LT0001 and no commit record";
            // The copy kept of the table replaced: the one before, whole.
            if (!generationName && files.count(plain + ".BKP") &&
                detail::generationOf(files.at(plain + ".BKP"), std::max(0L, older - 1), newer,
                                     [t](long g) { return bytesOf(tablesOf(g)[t]); }) < 0)
                v.problem = plain + ".BKP is not a whole table";
            if (!v.problem.empty()) return v;
        }
        for (const auto& [file, bytes] : files) {
            if (file.starts_with("_FILE$$$$$.") || detail::isHiddenWorkFile(file)) {
                v.leftover = true;
                if (settled && file != assemblyFile()) v.problem = "left behind: " + file;
            }
        }
        return v;
    }

    // LinkAgent's start completes a commit whose record is there and sweeps
    // staged files no record names.
    std::optional<long> recover(long) override {
        recoverLogon(dir_);
        return std::nullopt;
    }

protected:
    std::vector<std::string> folders() const override { return {dir_}; }

    void prepare() override {
        platform::iniWrite(coreIni_, {{"CONFIG", "ESTAB_CODE", "000000000012345"}});
        write(0);
    }

private:
    std::string dir_;
    std::string coreIni_;
};

}  // namespace

std::unique_ptr<FileKind> makeLogonTablesKind(const std::string& root) {
    return std::make_unique<LogonTablesKind>(root);
}

}  // namespace vtx::crash

#include "LogonCommit.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "LogonAnswer.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::logon {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRecordPrefix = "_FILE$$$$$.OK.";
// Staged files: the temporary file's name, the operator and a number.
constexpr const char* kStagedPrefix = "_FILE$$$$$.TMP.";
constexpr const char* kStagedPattern = "_FILE$$$$$.TMP.*.*";
constexpr const char* kSection = "LOGON";

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

}  // namespace

std::string LogonCommit::recordPath(const std::string& code) const {
    return platform::joinPath(dir_, kRecordPrefix + code);
}

bool LogonCommit::writeRecord(const std::string& code, const LogonMark& mark,
                              const std::vector<StagedTable>& tables) const {
    std::vector<platform::IniWrite> entries{{kSection, "NLote", mark.batch},
                                            {kSection, "VTabela", mark.version},
                                            {kSection, "Tabelas", std::to_string(tables.size())}};
    for (size_t i = 0; i < tables.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        entries.push_back({kSection, "Arquivo" + n, fs::path(tables[i].path).filename().string()});
        entries.push_back({kSection, "Tabela" + n, tables[i].name});
    }
    const std::string path = recordPath(code);
    // A record is written whole, never merged. None there is the usual case;
    // one that cannot be removed cannot be replaced either (same folder).
    (void)std::remove(path.c_str());
    return platform::iniWrite(path, entries);
}

bool LogonCommit::commit(const std::string& code, const LogonMark& mark,
                         const std::vector<StagedTable>& tables) const {
    if (writeRecord(code, mark, tables)) return finish(code, mark, tables);
    // Whatever stays is swept by recover() at the next start.
    (void)std::remove(recordPath(code).c_str());
    for (const StagedTable& table : tables) (void)std::remove(table.path.c_str());
    logger_.log("Erro gravando arquivo temporario --> " + recordPath(code));
    return false;
}

bool LogonCommit::finish(const std::string& code, const LogonMark& mark,
                         const std::vector<StagedTable>& tables) const {
    // Tables go in in order, each staged file leaving as its table goes in:
    // the last one already gone may have been cut short between its move and
    // the removal of its older generations.
    size_t next = 0;
    for (size_t i = 0; i < tables.size(); ++i) {
        if (!exists(tables[i].path)) next = i + 1;
    }
    if (next > 0 && TableInstaller::isGenerationName(tables[next - 1].name) &&
        exists(platform::joinPath(dir_, tables[next - 1].name)))
        installer_.removeOtherGenerations(tables[next - 1].name);

    const std::string record = recordPath(code);
    for (size_t i = next; i < tables.size(); ++i) {
        if (installer_.install(tables[i].path, tables[i].name)) continue;
        // The record goes first, so a stop from here on cannot complete a
        // commit with a table missing (a folder that refuses this removal
        // refuses the staged files' below as well).
        (void)std::remove(record.c_str());
        for (size_t j = i; j < tables.size(); ++j) (void)std::remove(tables[j].path.c_str());
        return false;
    }
    const bool marked = store_.saveMark(code, mark);
    if (!marked) logger_.log("Erro gravando arquivo --> " + store_.path());
    // A record that stays is completed again at the next start: the same marks.
    (void)std::remove(record.c_str());
    return marked;
}

void LogonCommit::resume(const std::string& code) const {
    const std::string record = recordPath(code);
    const auto document = platform::loadIni(record);
    const LogonMark mark{document->getString(kSection, "NLote", ""),
                         document->getString(kSection, "VTabela", "")};
    // Only files this operator's logon staged, and table names it could have
    // written: nothing else is moved on the word of a file.
    const std::string stagedPrefix = kStagedPrefix + code + ".";
    std::vector<StagedTable> tables;
    const long count = document->getInt(kSection, "Tabelas", -1);
    bool readable = count >= 0;
    for (long i = 1; readable && i <= count; ++i) {
        const std::string n = std::to_string(i);
        const std::string staged = document->getString(kSection, "Arquivo" + n, "");
        const std::string name = document->getString(kSection, "Tabela" + n, "");
        readable =
            staged.starts_with(stagedPrefix) && isSafeTableName(staged) && isSafeTableName(name);
        tables.push_back({platform::joinPath(dir_, staged), name});
    }
    if (!readable) {
        (void)std::remove(record.c_str());  // tried again at the next start
        return;
    }
    if (finish(code, mark, tables))
        logger_.logf("Finalizando Login [%s] - Instalacao interrompida concluida", code.c_str());
}

void LogonCommit::recover() const {
    const std::string prefix = kRecordPrefix;
    for (const std::string& name : platform::findFiles(dir_, prefix + "*")) {
        if (name.size() > prefix.size()) resume(name.substr(prefix.size()));
    }
    for (const std::string& name : platform::findFiles(dir_, kStagedPattern)) {
        (void)std::remove(platform::joinPath(dir_, name).c_str());  // swept again next time
    }
    // A record a stopped program was writing: the rest of its commit went
    // with it, and an operator that never logs on again would keep it.
    platform::removeStaleTemporaries(dir_, prefix + "*");
}

}  // namespace vtx::linkagent::logon

#include "LogonStore.h"

#include <algorithm>

#include "vtx/platform/IniFile.h"

namespace vtx::linkagent::logon {
namespace {

constexpr const char* kConfig = "CONFIG";
constexpr const char* kLogon = "LOGON";
constexpr size_t kBatchWidth = 10;
constexpr size_t kVersionWidth = 6;

std::string batchKey(const std::string& code) {
    return "NLote_" + code;
}

std::string versionKey(const std::string& code) {
    return "VTabela_" + code;
}

}  // namespace

std::string LogonStore::establishment() const {
    return platform::iniGetString(coreIni_, kConfig, "ESTAB_CODE", "");
}

long LogonStore::delayMs(long limit) const {
    return std::clamp(platform::iniGetInt(coreIni_, kConfig, "DELAY_INICIALIZACAO", 0), 0L,
                      std::max(limit, 0L));
}

LogonMark LogonStore::mark(const std::string& code) const {
    auto document = platform::loadIni(coreIni_);
    return {document->getString(kLogon, batchKey(code), "", kBatchWidth),
            document->getString(kLogon, versionKey(code), "", kVersionWidth)};
}

bool LogonStore::saveMark(const std::string& code, const LogonMark& mark) const {
    return platform::iniWrite(
        coreIni_, {{kLogon, batchKey(code), mark.batch}, {kLogon, versionKey(code), mark.version}});
}

}  // namespace vtx::linkagent::logon

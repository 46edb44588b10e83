#include "LogonDelivery.h"

#include "LogonCommit.h"
#include "TableAssembler.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

class DeliveryLogger : public linkagent::Logger {
public:
    void log(const std::string&) override {}
};

}  // namespace

bool deliverByLogon(const std::string& dir, const std::string& code,
                    const linkagent::logon::LogonMark& mark,
                    const std::vector<DeliveredTable>& tables) {
    using namespace linkagent::logon;
    DeliveryLogger logger;
    TableAssembler assembler(dir, code);
    for (const DeliveredTable& table : tables) {
        std::string data;
        for (const std::string& record : table.records) data += record + "!";
        if (!assembler.take({mark, "", table.name, data})) return false;
    }
    // The answer that names no file closes the last one.
    if (!assembler.take({mark, "", "", ""})) return false;
    const LogonStore store(platform::joinPath(dir, "CORE.INI"));
    return LogonCommit(dir, store, logger).commit(code, mark, assembler.takeStaged());
}

void recoverLogon(const std::string& dir) {
    DeliveryLogger logger;
    const linkagent::logon::LogonStore store(platform::joinPath(dir, "CORE.INI"));
    linkagent::logon::LogonCommit(dir, store, logger).recover();
}

}  // namespace vtx::crash

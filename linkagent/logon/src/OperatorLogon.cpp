#include "OperatorLogon.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "LogonAnswer.h"
#include "LogonCommit.h"
#include "LogonRequest.h"
#include "TableAssembler.h"
#include "vx32_cli.h"

namespace vtx::linkagent::logon {
namespace {

constexpr const char* kFinishing = "Finalizando Login";

// The answer after the four digits of the framed reply; the result of the
// exchange is the framed length, which is trusted only within the buffer.
std::string_view answerOf(const std::vector<char>& buffer, int result) {
    if (result <= 4) return {};
    const size_t size = std::min(static_cast<size_t>(result) - 4, size_t{VX_MAX_MESSAGE});
    return std::string_view(buffer.data() + 4, size);
}

}  // namespace

void OperatorLogon::finishing() {
    context_.status.show(StatusField::Logon, kFinishing);
}

LogonOutcome OperatorLogon::ending() {
    finishing();
    context_.logger.log("Finalizando Login - Aplica\xE7\xE3o encerrada");
    return LogonOutcome::kEnding;
}

void OperatorLogon::waitForDialUp() {
    for (int step = 0; step < context_.limits.dialUpSteps && context_.guard.dialUpDown(); ++step) {
        if (context_.ending.sleepFor(context_.limits.dialUpStep)) return;
    }
}

LogonOutcome OperatorLogon::run(const std::string& code) {
    Logger& logger = context_.logger;
    context_.status.show(StatusField::Logon, "Iniciando Logon");
    logger.log("Iniciando Logon");
    LogonMark mark = context_.store.mark(code);
    logger.logf("Login Adm %s lote %s", code.c_str(), mark.batch.c_str());
    waitForDialUp();

    TableAssembler assembler(context_.installDir, code);
    std::string continuation;
    std::vector<char> buffer(VX_BUFFER_SIZE);
    for (int exchange = 0; exchange < context_.limits.maxExchanges; ++exchange) {
        const std::string request = buildLogonRequest(context_.establishment, mark, continuation);
        std::fill(buffer.begin(), buffer.end(), '\0');
        std::memcpy(buffer.data(), request.data(), request.size());
        logger.logf("Send --> %s", request.c_str());
        int result = 0;
        {
            ExchangeScope inUse(context_.guard);
            result = context_.exchange(buffer.data(), code.c_str(), "ADM");
        }
        buffer.back() = '\0';
        logger.logf("Recv --> %s", buffer.data());
        if (result < 0) {
            finishing();
            logger.logf("Finalizando Login [%s] - Erro [%d]", code.c_str(), result);
            return LogonOutcome::kExchangeFailed;
        }
        const std::optional<LogonAnswer> answer = parseLogonAnswer(answerOf(buffer, result));
        if (!answer) {
            finishing();
            logger.logf("Finalizando Login [%s] - Mensagem Inv\xE1lida", code.c_str());
            return LogonOutcome::kInvalidAnswer;
        }
        if (!assembler.take(*answer)) {
            finishing();
            logger.log(assembler.problem());
            return LogonOutcome::kFileFailed;
        }
        // The host's marks serve the next request; CORE.INI gets them only
        // with the tables, once the last answer is in.
        mark = answer->mark;
        continuation = answer->continuation;
        if (context_.ending.raised() || context_.ending.sleepFor(context_.delay)) return ending();
        if (answer->fileName.empty()) {
            finishing();
            const LogonCommit commit(context_.installDir, context_.store, logger);
            if (!commit.commit(code, mark, assembler.takeStaged()))
                return LogonOutcome::kFileFailed;
            logger.log("Finalizando Login - OK");
            return LogonOutcome::kFinished;
        }
    }
    assembler.abandon();
    finishing();
    logger.logf("Finalizando Login [%s] - Limite de %d respostas atingido", code.c_str(),
                context_.limits.maxExchanges);
    return LogonOutcome::kTooLong;
}

}  // namespace vtx::linkagent::logon

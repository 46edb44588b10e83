#include "LogonFakes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vtx::linkagent::test {

void ScriptedHost::script(const std::string& op, std::vector<ScriptedReply> replies) {
    std::lock_guard<std::mutex> lock(mutex_);
    scripts_.emplace_back(op, std::move(replies));
}

ServerExchange ScriptedHost::exchange() {
    return [this](char* buffer, const char* op, const char* service) {
        return answer(buffer, op, service);
    };
}

std::vector<ScriptedHost::Call> ScriptedHost::calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

int ScriptedHost::answer(char* buffer, const char* op, const char* service) {
    if (onExchange) onExchange(op);
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back({op, service, std::string(buffer, strnlen(buffer, 3077))});
    std::memset(buffer, 0, 3077);
    for (auto& [name, replies] : scripts_) {
        if (name != op || replies.empty()) continue;
        ScriptedReply reply = replies.front();
        replies.erase(replies.begin());
        if (reply.result < 0) return reply.result;
        std::snprintf(buffer, 5, "%04zu", reply.message.size());
        std::memcpy(buffer + 4, reply.message.data(), std::min<size_t>(reply.message.size(), 3072));
        return reply.result != 0 ? reply.result : static_cast<int>(reply.message.size() + 4);
    }
    return -163;
}

OperatorLister listing(std::vector<std::string> codes) {
    return [codes](char* list) {
        std::memset(list, 0, 512);
        size_t pos = 0;
        for (const std::string& code : codes) {
            std::snprintf(list + pos, 9, "%-8.8s", code.c_str());
            pos += 9;
        }
        return 0;
    };
}

std::string answer0810(const std::string& batch, const std::string& version,
                       const std::string& continuation, const std::string& name,
                       const std::string& data) {
    char lengths[8];
    std::snprintf(lengths, sizeof lengths, "%03zu", name.size());
    std::string text =
        "0810200000000301000638800000003026" + batch + version + continuation + lengths + name;
    std::snprintf(lengths, sizeof lengths, "%03zu", data.size());
    return text + lengths + data;
}

}  // namespace vtx::linkagent::test

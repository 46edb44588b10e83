#include <cstdio>
#include <cstring>
#include <vector>

#include "Commands.h"
#include "MaskedText.h"
#include "vtx/platform/Cp1252.h"
#include "vx32_cli.h"

namespace vtx::tool {

int sendCommand(const Args& args) {
    bool server = false;
    Args rest;
    for (const auto& a : args) {
        if (a == "--server")
            server = true;
        else
            rest.push_back(a);
    }
    if (rest.size() != 3) {
        std::fputs("usage: vtx send [--server] OPERATOR SERVICE MESSAGE\n", stderr);
        return 2;
    }
    const std::string message = platform::utf8ToCp1252(rest[2]);
    if (message.empty() || message.size() > VX_MAX_MESSAGE) {
        std::fprintf(stderr, "vtx: the message must have 1 to %d bytes (it has %zu)\n",
                     VX_MAX_MESSAGE, message.size());
        return 2;
    }
    std::vector<char> buffer(VX_BUFFER_SIZE, '\0');
    std::snprintf(buffer.data(), buffer.size(), "%04zu", message.size());
    std::memcpy(buffer.data() + 4, message.data(), message.size());

    const std::string& op = rest[0];
    const std::string service = platform::utf8ToCp1252(rest[1]);
    int result = server ? Process_Server(buffer.data(), op.c_str(), service.c_str())
                        : Process(buffer.data(), op.c_str(), service.c_str());
    std::printf("result: %d\n", result);
    if (result >= 0) {
        std::string reply(buffer.data(), strnlen(buffer.data(), VX_BUFFER_SIZE));
        // A host may send the card back; what the console shows is masked.
        std::printf("reply: %s\n", maskedText(platform::cp1252ToUtf8(reply)).c_str());
    }
    return result >= 0 ? 0 : 1;
}

}  // namespace vtx::tool

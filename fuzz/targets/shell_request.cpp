// The folder interface's request file on any bytes: the message never holds a
// line end or a zero byte, and an accepted message fits the library's buffer.
#include "FuzzInput.h"
#include "vtx/linkagent/shellfile/ShellRequest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::linkagent;
    const ShellRequest request = parseShellRequest(vtx::fuzz::text(data, size), "EOF");
    vtx::fuzz::require(request.message.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                       "no line end or zero byte in the message");
    if (request.problem == ShellRequest::Problem::None)
        vtx::fuzz::require(request.framed().size() <= 4 + kMostShellMessage, "the framed message fits");
    const std::string answer = answerText(request.message, request.endMarker);
    (void)answer;
    return 0;
}

// libvtx_crash_answer.so: the library the folder interface loads in the kill
// test ("Dll Exec"), answering every request at once with
// crashAnswerFields() of its field 011-000.
#include <cstdio>
#include <cstring>
#include <string>

#include "CrashAnswer.h"
#include "vx32_cli.h"

extern "C" __attribute__((visibility("default"))) int CrashAnswer(char* buffer, const char*,
                                                                  const char*) {
    const std::string request(buffer);
    const size_t at = request.find("011-000=");
    const std::string sequence = at == std::string::npos
                                     ? std::string()
                                     : request.substr(at + 8, request.find(';', at) - at - 8);
    const std::string fields = vtx::crash::crashAnswerFields(sequence);
    std::snprintf(buffer, VX_BUFFER_SIZE, "%04zu%s", fields.size(), fields.c_str());
    return 0;
}

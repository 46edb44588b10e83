// The logon's 0810 answers and the assembly of the table files they carry,
// on any bytes: the input is a run of answers, each after a 0x1E byte. Each
// answer is read as the station reads it; those it acts on go to a table
// assembler in a folder of the fuzzer's own. When every answer was taken,
// the staged files hold exactly the complete records of the answers that
// named them, each ended by CR LF, in order, under safe names only.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "LogonAnswer.h"
#include "TableAssembler.h"

namespace {

std::string folder;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder = vtx::fuzz::scratchFolder("logon");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::linkagent::logon;
    const std::string_view input = vtx::fuzz::text(data, size);

    std::vector<std::pair<std::string, std::string>> expected;  // name, content
    std::string current;
    bool allTaken = true;
    {
        TableAssembler assembler(folder, "0001");
        size_t start = 0;
        while (start <= input.size() && allTaken) {
            size_t end = input.find('\x1e', start);
            if (end == std::string_view::npos) end = input.size();
            const std::string_view reply = input.substr(start, end - start);
            start = end + 1;
            const auto answer = parseLogonAnswer(reply);
            if (!answer) continue;
            vtx::fuzz::require(answer->fileName.empty() || isSafeTableName(answer->fileName),
                               "a named file is a safe name");
            vtx::fuzz::require(answer->continuation.size() == 10, "the continuation is ten characters");
            for (std::string_view record : completeRecords(answer->data))
                vtx::fuzz::require(record.find('!') == std::string_view::npos, "a record holds no end mark");

            if (answer->fileName != current) {
                current = answer->fileName;
                if (!current.empty()) expected.emplace_back(current, "");
            }
            if (!current.empty())
                for (std::string_view record : completeRecords(answer->data))
                    expected.back().second.append(record).append("\r\n");
            allTaken = assembler.take(*answer);
        }
        if (allTaken && !current.empty()) allTaken = assembler.take(LogonAnswer{});
        if (allTaken) {
            const std::vector<StagedTable> staged = assembler.takeStaged();
            vtx::fuzz::require(staged.size() == expected.size(), "one staged file per file named");
            for (size_t i = 0; i < staged.size(); ++i) {
                vtx::fuzz::require(staged[i].name == expected[i].first, "staged under the name it came with");
                vtx::fuzz::require(contentOf(staged[i].path) == expected[i].second,
                                   "a staged file holds its records");
                std::filesystem::remove(staged[i].path);
            }
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove(entry.path());
    return 0;
}

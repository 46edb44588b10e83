// `vtx checksum FILE`: whether a data file's name carries the check value of
// its content, as the station checks it before reading the file (operator,
// permission, registration, report and batch files). Prints the name the
// content calls for; exit status 0 when the name is right, 1 when it is
// wrong, 2 when the file cannot be read.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Commands.h"
#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {
namespace {

// The check value of the content, line by line as the station sums it: line
// ends are not part of a line, and an addition that would overflow ends the
// summing.
QString contentCheckValue(const std::string& bytes) {
    qint32 sum = 0;
    qint32 weight = 1;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        const QString line = client::fromCp1252(std::string_view(bytes).substr(start, end - start));
        if (!client::SomaLinhaCheckSum(line, sum, weight)) break;
        start = end + 1;
    }
    return client::checkValueOf(sum);
}

}  // namespace

int checksumCommand(const Args& args) {
    if (args.size() != 1) {
        std::fputs("usage: vtx checksum FILE\n", stderr);
        return 2;
    }
    const std::filesystem::path path = platform::resolve(args[0]);
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(path, ec)) {
        std::fprintf(stderr, "vtx: cannot read %s\n", args[0].c_str());
        return 2;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        std::fprintf(stderr, "vtx: cannot read %s\n", args[0].c_str());
        return 2;
    }
    const std::string name = path.filename().string();
    const std::string check = contentCheckValue(content.str()).toStdString();
    const std::string expected = name.substr(0, name.size() < 2 ? 0 : name.size() - 2) + check;
    const bool right = name == expected;
    std::printf("%s: %s; the content's check value is %s, its name: %s\n", name.c_str(),
                right ? "right" : "wrong", check.c_str(), expected.c_str());
    return right ? 0 : 1;
}

}  // namespace vtx::tool

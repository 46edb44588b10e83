#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "Commands.h"
#include "RouteFile.h"
#include "StationConfig.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::tool {
namespace {

using vx::cli::RouteRecord;

constexpr const char* kHeading =
    "# code|IP1|IP2|PORTACHK|PORTAADM|PORTACATT|TENTATIVA|TIME_OUT|CRIPT|POS_MASTERKEY";

struct Column {
    const char* name;
    size_t width;
    std::string RouteRecord::*member;
};

constexpr Column kColumns[] = {
    {"code", 8, &RouteRecord::code},          {"IP1", 30, &RouteRecord::ip1},
    {"IP2", 30, &RouteRecord::ip2},           {"PORTACHK", 4, &RouteRecord::portChk},
    {"PORTAADM", 4, &RouteRecord::portAdm},   {"PORTACATT", 4, &RouteRecord::portAtt},
    {"TENTATIVA", 1, &RouteRecord::attempts}, {"TIME_OUT", 2, &RouteRecord::timeout},
    {"CRIPT", 1, &RouteRecord::cript},        {"POS_MASTERKEY", 20, &RouteRecord::posMasterKey},
};

std::string trimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
    return text;
}

std::string routeFilePath(const Args& args) {
    if (args.size() > 1) return platform::resolve(args[1]);
    return platform::resolve(vx::cli::readStationPaths().file("VXIFCLI.BIN"));
}

int show(const Args& args) {
    const std::string path = routeFilePath(args);
    auto records = vx::cli::readRouteRecords(path);
    if (records.empty()) {
        std::fprintf(stderr, "vtx: no route records in %s\n", path.c_str());
        return 1;
    }
    std::printf("%s\n", kHeading);
    for (const RouteRecord& r : records) {
        std::string line;
        for (const Column& c : kColumns) {
            if (&c != kColumns) line += '|';
            line += trimRight(r.*c.member);
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

// One readable line back to a record; an error names the line and column.
bool parseLine(const std::string& line, size_t number, RouteRecord& record) {
    std::istringstream in(line);
    std::string field;
    size_t column = 0;
    while (std::getline(in, field, '|')) {
        if (column >= std::size(kColumns)) break;
        const Column& c = kColumns[column];
        if (field.size() > c.width) {
            std::fprintf(stderr, "vtx: line %zu: %s has %zu characters, at most %zu fit\n", number,
                         c.name, field.size(), c.width);
            return false;
        }
        record.*c.member = field;
        ++column;
    }
    if (!line.empty() && line.back() == '|' && column < std::size(kColumns)) ++column;
    if (column != std::size(kColumns)) {
        std::fprintf(stderr, "vtx: line %zu: expected %zu fields separated by '|'\n", number,
                     std::size(kColumns));
        return false;
    }
    return true;
}

int write(const Args& args) {
    const std::string path = routeFilePath(args);
    std::string content;
    std::string line;
    size_t number = 0;
    while (std::getline(std::cin, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        RouteRecord record;
        if (!parseLine(line, number, record)) return 1;
        content += vx::cli::encodeRouteRecord(record);
    }
    if (content.empty()) {
        std::fputs("vtx: no route lines on standard input; nothing written\n", stderr);
        return 1;
    }
    // The records hold the operators' master keys.
    if (!platform::replaceFileAtomically(path, content, {.mode = platform::kPrivateFileMode})) {
        std::fprintf(stderr, "vtx: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%zu records written to %s\n", content.size() / vx::cli::kRouteRecordSize,
                path.c_str());
    return 0;
}

}  // namespace

int routeCommand(const Args& args) {
    if (!args.empty() && args[0] == "show" && args.size() <= 2) return show(args);
    if (!args.empty() && args[0] == "write" && args.size() <= 2) return write(args);
    std::fputs("usage: vtx route show [FILE] | vtx route write [FILE] < LINES\n", stderr);
    return 2;
}

}  // namespace vtx::tool

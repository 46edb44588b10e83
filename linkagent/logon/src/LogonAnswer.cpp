#include "LogonAnswer.h"

namespace vtx::linkagent::logon {
namespace {

// Type 0810, bitmap with bits 3, 39, 40, 48 and 62 (or also 63), bit 3
// 388000, bit 39 "00", bit 40 "003", bit 48's length "026".
constexpr std::string_view kPrefixes[] = {"0810200000000301000438800000003026",
                                          "0810200000000301000638800000003026"};
constexpr size_t kFixedSize = 63;  // prefix 34, batch 10, version 6, continuation 10, name length 3
constexpr size_t kMaxNameSize = 200;

std::optional<size_t> threeDigits(std::string_view text) {
    if (text.size() != 3) return std::nullopt;
    size_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    return value;
}

bool hasControl(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// Upper-cased (ASCII letters) and cut at the first blank.
std::string installedName(std::string_view raw) {
    std::string name(raw.substr(0, raw.find(' ')));
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

}  // namespace

bool isSafeTableName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameSize || name == "." || name == "..") return false;
    return !hasControl(name) && name.find_first_of("/\\:*?\"<>|") == std::string_view::npos;
}

std::optional<LogonAnswer> parseLogonAnswer(std::string_view reply) {
    if (reply.size() < kFixedSize ||
        (!reply.starts_with(kPrefixes[0]) && !reply.starts_with(kPrefixes[1])))
        return std::nullopt;
    LogonAnswer answer;
    answer.mark.batch = std::string(reply.substr(34, 10));
    answer.mark.version = std::string(reply.substr(44, 6));
    answer.continuation = std::string(reply.substr(50, 10));
    if (hasControl(reply.substr(34, 26))) return std::nullopt;
    const std::optional<size_t> nameSize = threeDigits(reply.substr(60, 3));
    if (!nameSize || reply.size() < kFixedSize + *nameSize) return std::nullopt;
    answer.fileName = installedName(reply.substr(kFixedSize, *nameSize));
    if (!answer.fileName.empty() && !isSafeTableName(answer.fileName)) return std::nullopt;
    std::string_view rest = reply.substr(kFixedSize + *nameSize);
    if (rest.empty()) return answer;
    const std::optional<size_t> dataSize = threeDigits(rest.substr(0, 3));
    if (!dataSize || rest.size() < 3 + *dataSize) return std::nullopt;
    answer.data = std::string(rest.substr(3, *dataSize));
    return answer;
}

std::vector<std::string_view> completeRecords(std::string_view data) {
    std::vector<std::string_view> records;
    for (size_t end; (end = data.find('!')) != std::string_view::npos;) {
        records.push_back(data.substr(0, end));
        data.remove_prefix(end + 1);
    }
    return records;
}

}  // namespace vtx::linkagent::logon

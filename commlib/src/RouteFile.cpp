#include "RouteFile.h"

#include "ShiftCipher.h"
#include "vtx/platform/FileSnapshot.h"

namespace vtx::cli {
namespace {

struct FieldSpan {
    size_t offset;
    size_t width;
    std::string RouteRecord::*member;
};

constexpr FieldSpan kFields[] = {
    {0, 8, &RouteRecord::code},      {8, 30, &RouteRecord::ip1},
    {38, 30, &RouteRecord::ip2},     {68, 4, &RouteRecord::portChk},
    {72, 4, &RouteRecord::portAdm},  {76, 4, &RouteRecord::portAtt},
    {80, 1, &RouteRecord::attempts}, {81, 2, &RouteRecord::timeout},
    {83, 1, &RouteRecord::cript},    {84, 20, &RouteRecord::posMasterKey},
};

std::string cutAtZero(std::string_view field) {
    size_t nul = field.find('\0');
    return std::string(nul == std::string_view::npos ? field : field.substr(0, nul));
}

std::string storedCode(std::string_view code) {
    std::string padded(code.substr(0, 8));
    padded.resize(8, ' ');
    vtx::wire::shiftEncipher(padded.data(), padded.size(), vtx::wire::kRouteFileKey);
    return padded;
}

}  // namespace

RouteRecord decodeRouteRecord(std::string_view stored) {
    std::string plain(stored.substr(0, kRouteRecordSize));
    plain.resize(kRouteRecordSize, '\0');
    vtx::wire::shiftDecipher(plain.data(), plain.size(), vtx::wire::kRouteFileKey);
    RouteRecord record;
    for (const auto& f : kFields)
        record.*f.member = cutAtZero(std::string_view(plain).substr(f.offset, f.width));
    return record;
}

std::string encodeRouteRecord(const RouteRecord& record) {
    std::string plain;
    plain.reserve(kRouteRecordSize);
    for (const auto& f : kFields) {
        std::string field = (record.*f.member).substr(0, f.width);
        field.resize(f.width, ' ');
        plain += field;
    }
    vtx::wire::shiftEncipher(plain.data(), plain.size(), vtx::wire::kRouteFileKey);
    return plain;
}

std::optional<RouteRecord> findRouteRecord(const std::string& path, std::string_view code) {
    auto content = vtx::platform::loadFileSnapshot(path);
    if (!content) return std::nullopt;
    const std::string key = storedCode(code);
    for (size_t off = 0; off + kRouteRecordSize <= content->size(); off += kRouteRecordSize) {
        if (content->compare(off, 8, key) == 0)
            return decodeRouteRecord(std::string_view(*content).substr(off, kRouteRecordSize));
    }
    return std::nullopt;
}

std::vector<RouteRecord> readRouteRecords(const std::string& path) {
    std::vector<RouteRecord> records;
    auto content = vtx::platform::loadFileSnapshot(path);
    if (!content) return records;
    for (size_t off = 0; off + kRouteRecordSize <= content->size(); off += kRouteRecordSize)
        records.push_back(
            decodeRouteRecord(std::string_view(*content).substr(off, kRouteRecordSize)));
    return records;
}

}  // namespace vtx::cli

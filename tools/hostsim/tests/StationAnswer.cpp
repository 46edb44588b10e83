#include "StationAnswer.h"

#include <cstdio>
#include <map>
#include <vector>

#include "StationIso.h"

namespace vtx::hostsim::test {
namespace {

struct SubField {
    std::string group;
    size_t position;
    size_t width;
};

struct Layout {
    size_t size;
    bool prefix;
    std::vector<SubField> fields;
};

const Layout* layoutOf(const std::string& kind) {
    static const Layout kCatalogue{82,
                                   false,
                                   {{"902", 1, 13},
                                    {"903", 14, 20},
                                    {"904", 34, 20},
                                    {"906", 54, 1},
                                    {"910", 55, 7},
                                    {"911", 62, 7},
                                    {"912", 69, 7},
                                    {"909", 76, 5},
                                    {"919", 81, 2}}};
    static const Layout kItems{45,
                               true,
                               {{"902", 1, 13},
                                {"906", 14, 1},
                                {"905", 15, 3},
                                {"910", 18, 7},
                                {"911", 25, 7},
                                {"912", 32, 7},
                                {"909", 39, 5},
                                {"919", 44, 2}}};
    static const Layout kCancelled{
        20, false, {{"902", 1, 13}, {"906", 14, 1}, {"905", 15, 3}, {"919", 18, 2}}};
    static const std::map<std::string, const Layout*> kLayouts = {
        {"0110800100", &kCatalogue}, {"0110800200", &kItems}, {"0110800500", &kItems},
        {"0200800300", &kItems},     {"0210800300", &kItems}, {"0210800400", &kCancelled}};
    auto it = kLayouts.find(kind);
    return it == kLayouts.end() ? nullptr : it->second;
}

// Mid() of the stations: empty past the end.
std::string mid(const std::string& text, size_t start, size_t length) {
    return start >= text.size() ? std::string() : text.substr(start, length);
}

}  // namespace

std::string StationAnswer::field(const std::string& key) {
    if (iso_) return isoField(key);
    size_t at = message_.find(key);
    if (at == std::string::npos) return "";
    size_t end = message_.find(';', at);
    return end == std::string::npos ? "" : mid(message_, at + 8, end - at - 8);
}

int StationAnswer::receiptLineCount() {
    return std::atoi(field("028-000").c_str());
}

std::string StationAnswer::item(const std::string& group, int i) {
    char key[16];
    std::snprintf(key, sizeof key, "%s-%03d", group.c_str(), i);
    return field(key);
}

std::string StationAnswer::readBit(int wanted) const {
    if (message_.size() < 20) return "";
    const std::string bitmap = message_.substr(4, 16);
    size_t pos = 20;
    for (int bit = 2; bit <= wanted; ++bit) {
        int nibble = std::stoi(bitmap.substr(static_cast<size_t>(bit - 1) / 4, 1), nullptr, 16);
        if ((nibble & (8 >> ((bit - 1) % 4))) == 0) continue;
        std::string_view format = stationFormatOf(bit);
        size_t length = 0;
        if (format == "2L" || format == "3L") {
            size_t digits = format == "2L" ? 2 : 3;
            length = static_cast<size_t>(std::stoi(mid(message_, pos, digits)));
            pos += digits;
        } else {
            length = static_cast<size_t>(std::stoi(std::string(format)));
        }
        if (bit == wanted) return mid(message_, pos, length);
        pos += length;
    }
    return "";
}

std::string StationAnswer::isoField(const std::string& key) {
    const std::string group = key.substr(0, 3);
    const size_t n = static_cast<size_t>(std::stoi(key.substr(4, 3)));
    const int bit = stationBitOf(group);
    if (bit == 0 || readBit(60) == "Erro de formatacao na mensagem") return "";
    const std::string raw = readBit(bit);
    if (bit == 61) return mid(raw, n * 38, 38);
    if (bit == 60) {
        if (group == "900") return mid(raw, 0, 1);
        if (group == "901") return mid(raw, 1, 2);
        if (group == "028") {
            lineCount_ = raw.empty() ? 0 : std::atoi(mid(raw, 3, 2).c_str());
            return raw.empty() ? "" : mid(raw, 3, 2);
        }
        return raw;
    }
    if (bit != 63) return raw;
    const Layout* layout = layoutOf(mid(message_, 0, 4) + mid(message_, 20, 6));
    if (layout == nullptr) return raw;
    for (const SubField& sub : layout->fields) {
        if (sub.group != group) continue;
        const size_t prefix = layout->prefix ? static_cast<size_t>(lineCount_) * 40 : 0;
        return mid(raw, prefix + n * layout->size + sub.position - 1, sub.width);
    }
    return raw;
}

}  // namespace vtx::hostsim::test

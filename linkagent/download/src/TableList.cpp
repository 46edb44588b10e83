#include "TableList.h"

#include <cstdio>

#include "vtx/platform/IniFile.h"

namespace vtx::linkagent::download {
namespace {

constexpr long kMostEntries = 9999;

std::vector<std::string> fields(const std::string& value) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        const size_t end = value.find(';', start);
        out.push_back(value.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return out;
        start = end + 1;
    }
}

bool hasControl(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

bool safeFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos && !hasControl(name);
}

bool safeSubfolder(const std::string& subfolder) {
    if (subfolder.empty()) return true;
    if (hasControl(subfolder) || subfolder[0] == '/' || subfolder[0] == '\\') return false;
    if (subfolder.size() >= 2 && subfolder[1] == ':') return false;  // a drive
    size_t start = 0;
    while (start <= subfolder.size()) {
        size_t end = subfolder.find_first_of("/\\", start);
        if (end == std::string::npos) end = subfolder.size();
        if (subfolder.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::optional<TableEntry> parseTableEntry(const std::string& value, std::string& problem) {
    const std::vector<std::string> f = fields(value);
    TableEntry e;
    e.remoteName = f[0];
    if (!safeFileName(e.remoteName)) {
        problem = "nome [" + e.remoteName + "] invalido";
        return std::nullopt;
    }
    const std::string size = f.size() > 1 ? f[1] : "";
    if (!size.empty()) {
        if (size.size() > 18 || size.find_first_not_of("0123456789") != std::string::npos) {
            problem = "tamanho [" + size + "] invalido";
            return std::nullopt;
        }
        e.size = std::stoll(size);
    }
    e.crc = f.size() > 2 ? f[2] : "";
    if (!e.crc.empty()) {
        bool hex = e.crc.size() == 8;
        for (char c : e.crc) hex = hex && isHex(c);
        if (!hex) {
            problem = "CRC [" + e.crc + "] invalido";
            return std::nullopt;
        }
    }
    e.subfolder = f.size() > 3 ? f[3] : "";
    if (!safeSubfolder(e.subfolder)) {
        problem = "pasta [" + e.subfolder + "] fora da instalacao";
        return std::nullopt;
    }
    return e;
}

std::vector<ListedEntry> readTableList(const std::string& path) {
    auto ini = platform::loadIni(path);
    long count = ini->getInt("LIST", "Count", 0);
    if (count > kMostEntries) count = kMostEntries;
    std::vector<ListedEntry> out;
    for (long i = 1; i <= count; ++i) {
        char key[24];  // room for any long: the compiler cannot see kMostEntries
        (void)std::snprintf(key, sizeof key, "%.4ld", i);
        ListedEntry listed{key, std::nullopt, {}};
        if (auto value = ini->find("LIST", key)) {
            listed.entry = parseTableEntry(*value, listed.problem);
        } else {
            listed.problem = "ausente";
        }
        out.push_back(std::move(listed));
    }
    return out;
}

}  // namespace vtx::linkagent::download

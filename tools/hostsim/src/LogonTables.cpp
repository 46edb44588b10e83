#include "LogonTables.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "DecimalText.h"
#include "FieldText.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

namespace fs = std::filesystem;

constexpr long kMaxRecordsPerPiece = 999;
constexpr long kMaxFaultAt = 999999;
constexpr size_t kMaxFileName = 200;

std::optional<std::string> readTableFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A number of at most `width` digits, written with exactly `width`.
std::optional<std::string> fixedDigits(const std::string& text, size_t width) {
    if (text.empty() || text.size() > width) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return std::string(width - text.size(), '0') + text;
}

// Applies one logon.ini key; returns what is wrong, or "".
std::string setKey(OperatorTables& tables, std::string_view key, const std::string& value) {
    if (equalsIgnoreCase(key, "Batch")) {
        auto digits = fixedDigits(value, 10);
        if (!digits) return "is not a number of 1 to 10 digits";
        tables.batch = *digits;
    } else if (equalsIgnoreCase(key, "Version")) {
        auto digits = fixedDigits(value, 6);
        if (!digits) return "is not a number of 1 to 6 digits";
        tables.version = *digits;
    } else if (equalsIgnoreCase(key, "Records")) {
        auto n = parseDecimal(value, 1, kMaxRecordsPerPiece);
        if (!n) return "is not a number of records (1-999)";
        tables.recordsPerPiece = *n;
    } else if (equalsIgnoreCase(key, "Fault")) {
        if (equalsIgnoreCase(value, "none")) {
            tables.fault = LogonFault::kNone;
        } else if (equalsIgnoreCase(value, "invalid")) {
            tables.fault = LogonFault::kInvalid;
        } else if (equalsIgnoreCase(value, "fail")) {
            tables.fault = LogonFault::kFail;
        } else {
            return "is not one of none, invalid, fail";
        }
    } else if (equalsIgnoreCase(key, "FaultAt")) {
        auto n = parseDecimal(value, 1, kMaxFaultAt);
        if (!n) return "is not an answer number (1-999999)";
        tables.faultAt = *n;
    } else {
        return "unknown key (Batch, Version, Records, Fault, FaultAt)";
    }
    return "";
}

}  // namespace

bool LogonTables::cut(const std::string& fileName, std::string_view content, long records,
                      std::vector<TablePiece>& pieces, std::string& error) {
    TablePiece piece{fileName, "", 0};
    size_t lineNumber = 0;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        ++lineNumber;
        const std::string where = fileName + " line " + std::to_string(lineNumber) + ": ";
        if (line.find('!') != std::string_view::npos) {
            error = where + "a record must not hold \"!\" (it ends each record)";
            return false;
        }
        if (line.size() + 1 > kMaxPieceBytes) {
            error = where + "a record has at most 998 characters";
            return false;
        }
        if (piece.records == static_cast<size_t>(records) ||
            piece.data.size() + line.size() + 1 > kMaxPieceBytes) {
            pieces.push_back(std::move(piece));
            piece = TablePiece{fileName, "", 0};
        }
        piece.data.append(line).push_back('!');
        ++piece.records;
    }
    pieces.push_back(std::move(piece));
    return true;
}

const OperatorTables* LogonTables::find(std::string_view op) const {
    for (const auto& [name, tables] : operators_) {
        if (equalsIgnoreCase(name, op)) return &tables;
    }
    return nullptr;
}

OperatorTables* LogonTables::findMutable(std::string_view op) {
    return const_cast<OperatorTables*>(std::as_const(*this).find(op));
}

bool LogonTables::applySettings(std::string_view content, std::string& error) {
    const platform::IniDocument document = platform::IniDocument::parse(content);
    for (const auto& section : document.sections()) {
        const std::string where = "section [" + section.name + "]";
        OperatorTables* tables = findMutable(section.name);
        if (tables == nullptr) {
            error = where + ": no folder tables/" + section.name;
            return false;
        }
        for (size_t i = 0; i < section.entries.size(); ++i) {
            const auto& entry = section.entries[i];
            for (size_t j = 0; j < i; ++j) {
                if (equalsIgnoreCase(section.entries[j].key, entry.key)) {
                    error = where + ", key " + entry.key + ": given more than once";
                    return false;
                }
            }
            std::string problem = setKey(*tables, entry.key, entry.value);
            if (!problem.empty()) {
                error = where + ", key " + entry.key + ": value \"" + entry.value + "\" " + problem;
                return false;
            }
        }
    }
    return true;
}

std::optional<LogonTables> LogonTables::load(const std::string& folder, std::string& error) {
    LogonTables result;
    const fs::path root = fs::path(folder) / "tables";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return result;

    // Files first (settings may name only operators that have a folder), cut
    // once the settings say how many records go in one answer.
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> files;
    for (const auto& entry : fs::directory_iterator(root, ec)) {
        if (!entry.is_directory(ec)) continue;
        const std::string op = entry.path().filename().string();
        if (result.find(op) != nullptr) {
            error = root.string() + ": folders " + op + " differ only in case";
            return std::nullopt;
        }
        result.add(op, OperatorTables{});
        auto& list = files[op];
        for (const auto& file : fs::directory_iterator(entry.path(), ec)) {
            if (!file.is_regular_file(ec)) continue;
            const std::string name = file.path().filename().string();
            std::optional<std::string> content = readTableFile(file.path());
            if (!content) {
                error = "cannot read " + file.path().string();
                return std::nullopt;
            }
            if (name.size() > kMaxFileName) {
                error = file.path().string() + ": a table file name has at most 200 characters";
                return std::nullopt;
            }
            list.emplace_back(name, std::move(*content));
        }
        std::sort(list.begin(), list.end());
    }
    if (ec) {
        error = "cannot list " + root.string() + ": " + ec.message();
        return std::nullopt;
    }
    const fs::path settingsPath = fs::path(folder) / "logon.ini";
    if (std::optional<std::string> settings = readTableFile(settingsPath)) {
        if (!result.applySettings(*settings, error)) {
            error = settingsPath.string() + ": " + error;
            return std::nullopt;
        }
    }
    for (auto& [op, list] : files) {
        OperatorTables& tables = *result.findMutable(op);
        for (const auto& [name, content] : list) {
            if (!cut(name, content, tables.recordsPerPiece, tables.pieces, error)) {
                error = (root / op).string() + "/" + error;
                return std::nullopt;
            }
        }
    }
    return result;
}

}  // namespace vtx::hostsim

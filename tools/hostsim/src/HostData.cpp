#include "HostData.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FieldText.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

// Processing codes that other transactions use and a pre-sale cannot share.
constexpr std::string_view kTakenCodes[] = {"800100", "800200", "800300", "800400", "800500"};

constexpr long kMaxBatchSize = 99999;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

}  // namespace

bool parseHostSettings(std::string_view content, HostData& data, std::string& error) {
    const platform::IniDocument document = platform::IniDocument::parse(content);
    for (const auto& section : document.sections()) {
        if (!equalsIgnoreCase(section.name, "Host")) {
            error = "section [" + section.name + "]: unknown section (Host)";
            return false;
        }
        for (const auto& entry : section.entries) {
            const std::string where = "[Host] " + entry.key + ": ";
            if (equalsIgnoreCase(entry.key, "BatchSize")) {
                auto size = digitsValue(trimmed(entry.value));
                if (!size || *size > kMaxBatchSize) {
                    error =
                        where + "is not a whole number from 0 to " + std::to_string(kMaxBatchSize);
                    return false;
                }
                data.batchSize = *size;
                continue;
            }
            if (!equalsIgnoreCase(entry.key, "PreSaleCodes")) {
                error = where + "unknown key (PreSaleCodes, BatchSize)";
                return false;
            }
            data.preSaleCodes.clear();
            std::stringstream list(entry.value);
            for (std::string code; std::getline(list, code, ',');) {
                code = std::string(trimmed(code));
                bool taken = false;
                for (std::string_view t : kTakenCodes) taken = taken || code == t;
                if (code.size() != 6 || !digitsValue(code) || taken) {
                    error = where + "\"" + code + "\" is not a free six-digit processing code";
                    return false;
                }
                data.preSaleCodes.push_back(code);
            }
            if (data.preSaleCodes.empty()) {
                error = where + "no processing code given";
                return false;
            }
        }
    }
    return true;
}

bool checkLogonOperators(const HostConfig& config, const HostData& data, std::string& error) {
    for (const PortConfig& port : config.ports) {
        if (!port.logonOperator.empty() && data.logon.find(port.logonOperator) == nullptr) {
            error = "section [" + port.section + "], key Operator: no folder tables/" +
                    port.logonOperator + " in the data folder";
            return false;
        }
    }
    return true;
}

std::optional<HostData> loadHostData(const std::string& folder, std::string& error) {
    const auto pathOf = [&folder](const char* name) {
        return (std::filesystem::path(folder) / name).string();
    };
    HostData data;
    std::string problem;
    const std::string cardsPath = pathOf("cards.ini");
    const std::string productsPath = pathOf("products.csv");
    const std::string settingsPath = pathOf("host.ini");
    std::optional<std::string> cardsText = readFile(cardsPath);
    std::optional<std::string> productsText = readFile(productsPath);
    if (!cardsText || !productsText) {
        error = "cannot read " + (cardsText ? productsPath : cardsPath);
        return std::nullopt;
    }
    std::optional<CardBook> cards = CardBook::parse(*cardsText, problem);
    if (!cards) {
        error = cardsPath + ": " + problem;
        return std::nullopt;
    }
    std::optional<Catalogue> catalogue = Catalogue::parse(*productsText, problem);
    if (!catalogue) {
        error = productsPath + ": " + problem;
        return std::nullopt;
    }
    std::optional<LogonTables> logon = LogonTables::load(folder, problem);
    if (!logon) {
        error = problem;
        return std::nullopt;
    }
    data.logon = std::move(*logon);
    data.cards = std::move(*cards);
    data.catalogue = std::move(*catalogue);
    std::optional<std::string> settingsText = readFile(settingsPath);
    if (settingsText && !parseHostSettings(*settingsText, data, problem)) {
        error = settingsPath + ": " + problem;
        return std::nullopt;
    }
    return data;
}

}  // namespace vtx::hostsim

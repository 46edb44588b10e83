#include "CardBook.h"

#include "FieldText.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr size_t kMinCardDigits = 6;
constexpr size_t kMaxCardDigits = 19;
constexpr size_t kMaxName = 38;
constexpr size_t kMaxField = 40;
constexpr size_t kMaxMessage = 99;

std::optional<bool> flagValue(std::string_view text) {
    for (std::string_view yes : {"yes", "1", "true"}) {
        if (equalsIgnoreCase(text, yes)) return true;
    }
    for (std::string_view no : {"no", "0", "false", ""}) {
        if (equalsIgnoreCase(text, no)) return false;
    }
    return std::nullopt;
}

// Applies one key; returns what is wrong, or "".
std::string setKey(CardRecord& card, std::string_view key, const std::string& value) {
    if (!isFieldSafe(value)) return "must be text without ';' or control characters";
    struct TextKey {
        std::string_view name;
        std::string CardRecord::*member;
        size_t limit;
    };
    static const TextKey kTextKeys[] = {{"Name", &CardRecord::name, kMaxName},
                                        {"Field1", &CardRecord::field1, kMaxField},
                                        {"Field2", &CardRecord::field2, kMaxField},
                                        {"Message", &CardRecord::message, kMaxMessage}};
    for (const TextKey& k : kTextKeys) {
        if (!equalsIgnoreCase(key, k.name)) continue;
        if (value.size() > k.limit) return "is longer than " + std::to_string(k.limit);
        card.*k.member = value;
        return "";
    }
    if (equalsIgnoreCase(key, "Blocked")) {
        auto flag = flagValue(value);
        if (!flag) return "is not yes or no";
        card.blocked = *flag;
        return "";
    }
    return "unknown key (Name, Field1, Field2, Blocked, Message)";
}

}  // namespace

std::optional<CardBook> CardBook::parse(std::string_view content, std::string& error) {
    CardBook book;
    const platform::IniDocument document = platform::IniDocument::parse(content);
    for (const auto& section : document.sections()) {
        const std::string where = "section [" + section.name + "]";
        std::string digits = cardDigits(section.name);
        if (digits != section.name || digits.size() < kMinCardDigits ||
            digits.size() > kMaxCardDigits) {
            error = where + ": a card number is 6 to 19 digits";
            return std::nullopt;
        }
        if (book.cards_.count(digits)) {
            error = where + ": card given more than once";
            return std::nullopt;
        }
        CardRecord card;
        card.number = digits;
        for (size_t i = 0; i < section.entries.size(); ++i) {
            const auto& entry = section.entries[i];
            for (size_t j = 0; j < i; ++j) {
                if (equalsIgnoreCase(section.entries[j].key, entry.key)) {
                    error = where + ", key " + entry.key + ": given more than once";
                    return std::nullopt;
                }
            }
            std::string problem = setKey(card, entry.key, entry.value);
            if (!problem.empty()) {
                error = where + ", key " + entry.key + ": " + problem;
                return std::nullopt;
            }
        }
        book.cards_.emplace(digits, std::move(card));
    }
    return book;
}

const CardRecord* CardBook::find(std::string_view digits) const {
    auto it = cards_.find(digits);
    return it == cards_.end() ? nullptr : &it->second;
}

}  // namespace vtx::hostsim

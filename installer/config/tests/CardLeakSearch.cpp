#include "CardLeakSearch.h"

#include <cstdint>
#include <utility>

namespace vtx::audit {

namespace {

std::string joined(const std::string& digits, size_t group, char separator) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % group == 0) out += separator;
        out += digits[i];
    }
    return out;
}

// Two digits to a byte, high nibble first; an odd count ends in F.
std::string packed(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int high = digits[i] - '0';
        const int low = i + 1 < digits.size() ? digits[i + 1] - '0' : 0xF;
        out += static_cast<char>((high << 4) | low);
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The bytes that the hex digits of `bytes` stand for, read in pairs from the
// digit at `start` of them (0 or 1), every other byte skipped.
std::string hexDecoded(std::string_view bytes, size_t start) {
    std::string digits;
    for (char c : bytes)
        if (hexValue(c) >= 0) digits += c;
    std::string out;
    for (size_t i = start; i + 1 < digits.size(); i += 2)
        out += static_cast<char>(hexValue(digits[i]) << 4 | hexValue(digits[i + 1]));
    return out;
}

}  // namespace

std::string CardLeak::describe() const {
    std::string text = "card " + card + " " + form;
    if (key != 0) text += ", shift-enciphered with key " + std::to_string(key);
    if (hex) text += ", as hex digits";
    return text + ", at " + std::to_string(offset);
}

std::vector<std::pair<std::string, std::string>> CardLeakSearch::formsOf(const std::string& card) {
    std::vector<std::pair<std::string, std::string>> forms = {{"plain", card}};
    for (const auto& [name, separator] :
         std::vector<std::pair<std::string, char>>{{"blank", ' '}, {"dash", '-'}, {"dot", '.'}}) {
        forms.emplace_back(name + " per 4", joined(card, 4, separator));
        forms.emplace_back(name + " per digit", joined(card, 1, separator));
    }
    forms.emplace_back("packed", packed(card));
    return forms;
}

CardLeakSearch::CardLeakSearch(std::vector<std::string> cards) {
    for (const std::string& card : cards)
        for (auto& [name, bytes] : formsOf(card)) forms_.push_back({card, name, std::move(bytes)});
}

void CardLeakSearch::searchView(std::string_view view, bool hex,
                                std::vector<CardLeak>& found) const {
    std::string deciphered(view.size(), '\0');
    for (int key = 0; key < 256; ++key) {
        // Enciphering took `key` off every byte; adding it back gives the plain.
        for (size_t i = 0; i < view.size(); ++i)
            deciphered[i] = static_cast<char>(static_cast<uint8_t>(view[i]) + key);
        for (const Form& form : forms_) {
            const size_t at = deciphered.find(form.bytes);
            if (at != std::string::npos) found.push_back({form.card, form.name, key, hex, at});
        }
    }
}

std::vector<CardLeak> CardLeakSearch::findIn(std::string_view bytes) const {
    std::vector<CardLeak> found;
    searchView(bytes, false, found);
    for (size_t start : {0u, 1u}) searchView(hexDecoded(bytes, start), true, found);
    return found;
}

}  // namespace vtx::audit

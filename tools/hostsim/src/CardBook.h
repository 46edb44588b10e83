// The cards the host knows, read from cards.ini in the data folder: one
// section per card number, keys Name, Field1, Field2, Blocked, Message
// (doc/hostsim.md, "Data folder").
//
// Thread-safety: immutable after parse(); const use from any thread.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "CardRecord.h"

namespace vtx::hostsim {

class CardBook {
public:
    // Parses the file's text. On failure returns nullopt with `error`
    // naming the section and key.
    static std::optional<CardBook> parse(std::string_view content, std::string& error);

    // The card with exactly these digits, or nullptr.
    const CardRecord* find(std::string_view digits) const;

    size_t size() const { return cards_.size(); }

private:
    std::map<std::string, CardRecord, std::less<>> cards_;
};

}  // namespace vtx::hostsim

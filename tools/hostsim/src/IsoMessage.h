// A message in the ISO 8583 form: the 4-digit message type, 16 hexadecimal
// digits of primary bitmap, then the data of each present bit in ascending
// order, shaped by IsoBitTable. Only parsing and writing live here; what the
// bits mean is the readers' and writers' business.
//
// Thread-safety: a plain value; const use from any thread.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "IsoBitTable.h"

namespace vtx::hostsim {

class IsoMessage {
public:
    explicit IsoMessage(std::string type) : type_(std::move(type)) {}

    // True when `text` opens as this form does: four digits, then sixteen
    // hexadecimal digits. (The numbered-field form opens "GGG-".)
    static bool looksLikeIso(std::string_view text);

    // Reads a whole message. On failure returns nullopt and says in `error`
    // which bit could not be read and why; bit 1 (a secondary bitmap) is
    // refused, and so are bytes left over after the last bit.
    static std::optional<IsoMessage> parse(std::string_view text, std::string& error);

    // The type as the answer to a request of this type carries it: the
    // third digit one higher (0100 -> 0110, 0202 -> 0212, 0420 -> 0430).
    static std::string answerType(std::string_view requestType);

    const std::string& type() const { return type_; }

    // The data of `bit` as carried (fixed bits with their padding), or nullopt.
    std::optional<std::string_view> bit(int bit) const;

    // Sets the data of `bit` (2-64). Shaping happens in serialize().
    void set(int bit, std::string data);

    // The message text. Fixed bits are zero-filled on the left (numeric) or
    // blank-filled on the right and cut to their width; variable bits are cut
    // to 99 / 999 characters. Writers keep their data within those sizes.
    std::string serialize() const;

private:
    std::string type_;
    std::array<std::optional<std::string>, kIsoLastBit + 1> bits_;
};

}  // namespace vtx::hostsim

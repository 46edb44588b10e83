// An answer read the way the stations read theirs, field by key:
//  - numbered-field text: the value after the first occurrence of the key,
//    up to the next ";";
//  - ISO 8583: the bit of the key's group; receipt lines 38 characters each
//    in bit 61; 900, 901 and 028 at characters 1, 2-3 and 4-5 of bit 60;
//    item groups from the fixed records of bit 63 chosen by message type and
//    processing code, after receipt-line count x 40 characters where the
//    layout has that prefix. As at the stations, the count is the one set
//    by the last reading of 028-000 (0 until then).
//
// Thread-safety: not thread-safe (reading 028-000 changes the count).
#pragma once

#include <string>

namespace vtx::hostsim::test {

class StationAnswer {
public:
    // `message` without its 4-digit length.
    StationAnswer(std::string message, bool iso) : message_(std::move(message)), iso_(iso) {}

    std::string field(const std::string& key);
    std::string operator[](const std::string& key) { return field(key); }

    // 028-000 as a number, as the receipt screen asks for it.
    int receiptLineCount();

    // The item group `group` ("902") of item `i`.
    std::string item(const std::string& group, int i);

    const std::string& message() const { return message_; }

private:
    std::string readBit(int bit) const;
    std::string isoField(const std::string& key);

    std::string message_;
    bool iso_;
    int lineCount_ = 0;
};

}  // namespace vtx::hostsim::test

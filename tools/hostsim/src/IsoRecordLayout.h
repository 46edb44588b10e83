// Fixed-layout item records in bit 63 of the ISO 8583 form, chosen by the
// message kind: the message type followed by the processing code
// ("0110800100"). Answer layouts are those the stations read; request
// layouts are those they write. doc/hostsim.md lists both.
//
// Thread-safety: constant data and pure functions.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ProductItem.h"

namespace vtx::hostsim {

struct RecordField {
    int group;
    size_t position;  // 1-based within the record
    size_t width;
};

struct RecordLayout {
    std::string_view kind;
    size_t size;         // characters per record
    bool receiptPrefix;  // the records follow 40 characters per receipt line
    std::span<const RecordField> fields;
};

// Characters per receipt line in the prefix of the layouts that have one.
constexpr size_t kPrefixLineWidth = 40;

// The layout of an answer / a request of `kind`, or nullptr.
const RecordLayout* answerLayout(std::string_view kind);
const RecordLayout* requestLayout(std::string_view kind);

// One record of `item` in `layout` (exactly layout.size characters).
std::string writeRecord(const RecordLayout& layout, const ProductItem& item);

// The item in one record; `record` must hold layout.size characters.
ProductItem readRecord(const RecordLayout& layout, std::string_view record);

}  // namespace vtx::hostsim

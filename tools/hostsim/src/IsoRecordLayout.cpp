#include "IsoRecordLayout.h"

#include <array>

#include "FieldText.h"
#include "ItemGroups.h"

namespace vtx::hostsim {
namespace {

constexpr RecordField kCatalogue[] = {{902, 1, 13}, {903, 14, 20}, {904, 34, 20},
                                      {906, 54, 1}, {910, 55, 7},  {911, 62, 7},
                                      {912, 69, 7}, {909, 76, 5},  {919, 81, 2}};
constexpr RecordField kAuthorised[] = {{902, 1, 13}, {906, 14, 1}, {905, 15, 3}, {910, 18, 7},
                                       {911, 25, 7}, {912, 32, 7}, {909, 39, 5}, {919, 44, 2}};
constexpr RecordField kCancelled[] = {{902, 1, 13}, {906, 14, 1}, {905, 15, 3}, {919, 18, 2}};
constexpr RecordField kCancelRequest[] = {{902, 1, 13}, {906, 14, 1}, {905, 15, 3}};
constexpr RecordField kPreAuthRequest[] = {{902, 1, 13}, {906, 14, 1}, {905, 15, 3},
                                           {910, 18, 7}, {911, 25, 7}, {914, 32, 16}};
constexpr RecordField kSaleRequest[] = {{902, 1, 13}, {906, 14, 1}, {905, 15, 3}, {910, 18, 7},
                                        {911, 25, 7}, {912, 32, 7}, {909, 39, 7}, {914, 46, 14}};

constexpr std::array kAnswerLayouts{
    RecordLayout{"0110800100", 82, false, kCatalogue},
    RecordLayout{"0110800200", 45, true, kAuthorised},
    RecordLayout{"0110800500", 45, true, kAuthorised},
    RecordLayout{"0200800300", 45, true, kAuthorised},
    RecordLayout{"0210800300", 45, true, kAuthorised},
    RecordLayout{"0210800400", 20, false, kCancelled},
    RecordLayout{"0200800400", 18, false, kCancelRequest},
};

// The stations write request items as their fields end to end, without the
// filler character some answer records carry.
constexpr std::array kRequestLayouts{
    RecordLayout{"0100800200", 47, false, kPreAuthRequest},
    RecordLayout{"0200800300", 59, false, kSaleRequest},
    RecordLayout{"0200800400", 17, false, kCancelRequest},
    RecordLayout{"0200900400", 17, false, kCancelRequest},
};

template <size_t N>
const RecordLayout* find(const std::array<RecordLayout, N>& table, std::string_view kind) {
    for (const RecordLayout& layout : table) {
        if (layout.kind == kind) return &layout;
    }
    return nullptr;
}

}  // namespace

const RecordLayout* answerLayout(std::string_view kind) {
    return find(kAnswerLayouts, kind);
}

const RecordLayout* requestLayout(std::string_view kind) {
    return find(kRequestLayouts, kind);
}

std::string writeRecord(const RecordLayout& layout, const ProductItem& item) {
    std::string record(layout.size, ' ');
    for (const RecordField& field : layout.fields) {
        std::string value = itemValue(item, field.group, field.width);
        if (value.size() != field.width) value = fitText(value, field.width);
        record.replace(field.position - 1, field.width, value);
    }
    return record;
}

ProductItem readRecord(const RecordLayout& layout, std::string_view record) {
    ProductItem item;
    for (const RecordField& field : layout.fields) {
        setItemValue(item, field.group, record.substr(field.position - 1, field.width));
    }
    return item;
}

}  // namespace vtx::hostsim

#include "field/Bit63Layouts.h"

#include <array>

namespace vtx::client {

namespace {

struct SubField {
    const char16_t* group = nullptr;  // nullptr ends the list
    int position = 0;                 // 1-based within the record
    int width = 0;
};

struct RecordLayout {
    std::array<const char16_t*, 4> kinds{};  // nullptr ends the list
    int size = 0;
    bool receiptPrefix = false;
    std::array<SubField, 9> fields{};
};

constexpr int kReceiptPrefixPerLine = 40;

constexpr RecordLayout kLayouts[] = {
    {{u"0110800100"},
     82,
     false,
     {{{u"902", 1, 13},
       {u"903", 14, 20},
       {u"904", 34, 20},
       {u"906", 54, 1},
       {u"910", 55, 7},
       {u"911", 62, 7},
       {u"912", 69, 7},
       {u"909", 76, 5},
       {u"919", 81, 2}}}},
    {{u"0110800200", u"0110800500", u"0200800300", u"0210800300"},
     45,
     true,
     {{{u"902", 1, 13},
       {u"906", 14, 1},
       {u"905", 15, 3},
       {u"910", 18, 7},
       {u"911", 25, 7},
       {u"912", 32, 7},
       {u"909", 39, 5},
       {u"919", 44, 2}}}},
    {{u"0210800400"},
     20,
     false,
     {{{u"902", 1, 13}, {u"906", 14, 1}, {u"905", 15, 3}, {u"919", 18, 2}}}},
    {{u"0200800400"}, 18, false, {{{u"902", 1, 13}, {u"906", 14, 1}, {u"905", 15, 3}}}},
    {{u"0100800200"},
     48,
     false,
     {{{u"902", 1, 13},
       {u"906", 14, 1},
       {u"905", 15, 3},
       {u"910", 18, 7},
       {u"911", 25, 7},
       {u"914", 32, 16}}}},
};

const RecordLayout* layoutOf(QStringView kind) {
    for (const RecordLayout& layout : kLayouts) {
        for (const char16_t* k : layout.kinds) {
            if (k && kind == QStringView(k)) return &layout;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<QString> bit63SubField(QStringView kind, QStringView group, qint64 occurrence,
                                     QStringView raw, int receiptLineCount) {
    const RecordLayout* layout = layoutOf(kind);
    if (!layout) return std::nullopt;
    for (const SubField& field : layout->fields) {
        if (!field.group) break;
        if (group != QStringView(field.group)) continue;
        const qint64 prefix =
            layout->receiptPrefix ? qint64{receiptLineCount} * kReceiptPrefixPerLine : 0;
        const qint64 start = prefix + occurrence * layout->size + field.position - 1;
        if (start < 0 || start >= raw.size()) return QString();
        return raw.mid(start, field.width).toString();
    }
    return std::nullopt;
}

}  // namespace vtx::client

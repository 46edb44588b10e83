#include "Catalogue.h"

#include "FieldText.h"
#include "vtx/platform/AsciiCase.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr size_t kMinColumns = 5;
constexpr size_t kMaxColumns = 10;
constexpr long kMaxQuantity = 999;
constexpr long kMaxAmount = 9999999;
constexpr long kMaxDiscount = 9999;
constexpr size_t kMaxText = 20;

std::vector<std::string_view> splitColumns(std::string_view line) {
    std::vector<std::string_view> columns;
    size_t pos = 0;
    for (;;) {
        size_t end = line.find(';', pos);
        columns.push_back(
            trimmed(line.substr(pos, end == std::string_view::npos ? end : end - pos)));
        if (end == std::string_view::npos) return columns;
        pos = end + 1;
    }
}

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// One amount column: digits within `max`, or `fallback` when empty.
std::string readAmount(std::string_view text, long max, std::optional<long> fallback, long& value) {
    if (text.empty() && fallback) {
        value = *fallback;
        return "";
    }
    auto v = digitsValue(text);
    if (!v || *v > max) return "is not a whole number from 0 to " + std::to_string(max);
    value = *v;
    return "";
}

// Fills `p` from the columns; returns what is wrong, or "".
std::string readProduct(const std::vector<std::string_view>& c, ProductItem& p) {
    if (c.size() < kMinColumns || c.size() > kMaxColumns)
        return "has " + std::to_string(c.size()) + " columns, expected 5 to 10";
    auto column = [&c](size_t i) { return i < c.size() ? c[i] : std::string_view(); };
    if (!isDigits(c[0]) || c[0].size() > 13) return "code: 1 to 13 digits";
    if (c[1].size() > kMaxText || !isFieldSafe(c[1]))
        return "description: at most 20 characters, no control characters";
    if (c[2].size() > kMaxText || !isFieldSafe(c[2]))
        return "manufacturer: at most 20 characters, no control characters";
    if (c[3].size() != 1 || !isFieldSafe(c[3])) return "type: one character";
    p.code = canonicalCode(c[0]);
    p.description = c[1];
    p.manufacturer = c[2];
    p.type = c[3];
    std::string problem = readAmount(c[4], kMaxAmount, std::nullopt, p.gross);
    if (!problem.empty()) return "gross: " + problem;
    problem = readAmount(column(5), kMaxDiscount, 0, p.discount);
    if (!problem.empty()) return "discount: " + problem;
    problem =
        readAmount(column(6), kMaxAmount, p.gross - (p.gross * p.discount + 5000) / 10000, p.net);
    if (!problem.empty()) return "net: " + problem;
    problem = readAmount(column(7), kMaxAmount, p.net, p.collect);
    if (!problem.empty()) return "collect: " + problem;
    std::string_view status = column(8);
    if (!status.empty() && (status.size() != 2 || !isDigits(status))) return "status: two digits";
    p.status = status.empty() ? "00" : std::string(status);
    problem = readAmount(column(9), kMaxQuantity, 0, p.limit);
    if (!problem.empty()) return "limit: " + problem;
    return "";
}

}  // namespace

std::optional<Catalogue> Catalogue::parse(std::string_view content, std::string& error) {
    Catalogue catalogue;
    size_t lineNumber = 0;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (trimmed(line).empty() || trimmed(line).front() == '#') continue;
        std::vector<std::string_view> columns = splitColumns(line);
        if (catalogue.products_.empty() && equalsIgnoreCase(columns[0], "code")) continue;
        ProductItem product;
        std::string problem = readProduct(columns, product);
        if (problem.empty() && catalogue.find(product.code, product.type) != nullptr)
            problem = "product " + product.code + " type " + product.type + " is listed twice";
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return std::nullopt;
        }
        catalogue.products_.push_back(std::move(product));
    }
    return catalogue;
}

const ProductItem* Catalogue::find(std::string_view code, std::string_view type) const {
    const std::string wanted = canonicalCode(code);
    type = trimmed(type);
    for (const ProductItem& p : products_) {
        if (p.code == wanted && (type.empty() || p.type == type)) return &p;
    }
    return nullptr;
}

std::vector<const ProductItem*> Catalogue::search(std::string_view text) const {
    text = trimmed(text);
    const bool byCode = isDigits(text);
    const std::string codePrefix = byCode ? canonicalCode(text) : "";
    std::vector<const ProductItem*> found;
    for (const ProductItem& p : products_) {
        if (platform::containsIgnoreCase(p.description, text) ||
            (byCode && p.code.starts_with(codePrefix)))
            found.push_back(&p);
    }
    return found;
}

}  // namespace vtx::hostsim

#include "ItemGroups.h"

#include <array>

#include "FieldText.h"

namespace vtx::hostsim {
namespace {

constexpr std::array kCatalogueGroups{902, 903, 904, 906, 910, 909, 911, 912, 919};
constexpr std::array kAuthorisedGroups{902, 906, 905, 910, 911, 912, 909, 919};
constexpr std::array kCancelledGroups{902, 906, 905, 919};

constexpr size_t kCodeWidth = 13;

// Digits zero-filled to 13; anything else as received, fitted.
std::string codeValue(std::string_view code) {
    std::string digits = canonicalCode(code);
    if (digits.size() > kCodeWidth || digits.find_first_not_of("0123456789") != std::string::npos)
        return fitText(code, kCodeWidth);
    return std::string(kCodeWidth - digits.size(), '0') + digits;
}

long amountOf(std::string_view value) {
    return digitsValue(value).value_or(0);
}

}  // namespace

std::span<const int> itemGroups(ItemList list) {
    switch (list) {
        case ItemList::kCatalogue:
            return kCatalogueGroups;
        case ItemList::kAuthorised:
            return kAuthorisedGroups;
        case ItemList::kCancelled:
            return kCancelledGroups;
        case ItemList::kNone:
            break;
    }
    return {};
}

bool isItemGroup(int group) {
    return (group >= 902 && group <= 906) || (group >= 909 && group <= 912) || group == 914 ||
           group == 919;
}

std::string itemValue(const ProductItem& item, int group, size_t width) {
    std::string text;
    switch (group) {
        case 902:
            return codeValue(item.code);
        case 905:
            return zeroFill(item.quantity, 3);
        case 909:
            return zeroFill(item.discount, 5);
        case 910:
            return zeroFill(item.gross, 7);
        case 911:
            return zeroFill(item.net, 7);
        case 912:
            return zeroFill(item.collect, 7);
        case 919:
            return fitText(item.status, 2);
        case 903:
            text = item.description;
            break;
        case 904:
            text = item.manufacturer;
            break;
        case 906:
            text = item.type;
            break;
        case 914:
            text = item.complement;
            break;
        default:
            break;
    }
    return width > 0 ? fitText(text, width) : text;
}

void setItemValue(ProductItem& item, int group, std::string_view value) {
    switch (group) {
        case 902:
            item.code = trimmed(value);
            break;
        case 903:
            item.description = trimmed(value);
            break;
        case 904:
            item.manufacturer = trimmed(value);
            break;
        case 905:
            item.quantity = digitsValue(value).value_or(-1);
            break;
        case 906:
            item.type = trimmed(value);
            break;
        case 909:
            item.discount = amountOf(value);
            break;
        case 910:
            item.gross = amountOf(value);
            break;
        case 911:
            item.net = amountOf(value);
            break;
        case 912:
            item.collect = amountOf(value);
            break;
        case 914:
            item.complement = value;
            break;
        case 919:
            item.status = trimmed(value);
            break;
        default:
            break;
    }
}

}  // namespace vtx::hostsim

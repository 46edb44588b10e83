// The bridge between the item groups 902-919 of the messages and the members
// of ProductItem, and the lists of groups each kind of answer carries per
// item in the numbered-field form.
//
// Thread-safety: pure functions and constant data.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "ProductItem.h"

namespace vtx::hostsim {

// Which groups an answer lists per item.
enum class ItemList {
    kNone,
    kCatalogue,   // product query: 902 903 904 906 910 909 911 912 919
    kAuthorised,  // batches and read-back: 902 906 905 910 911 912 909 919
    kCancelled,   // cancellation: 902 906 905 919
};

std::span<const int> itemGroups(ItemList list);

// True for the groups of ProductItem (902-906, 909-912, 914, 919).
bool isItemGroup(int group);

// The value of `group` as it travels: numbers as their catalogue width in
// zero-filled digits (902: 13, 905: 3, 909: 5, 910-912: 7, 919: 2), text as
// held. With `width` > 0 text is fitted to that width.
std::string itemValue(const ProductItem& item, int group, size_t width = 0);

// Stores a received value. Numbers that are not digits become -1 for the
// quantity and 0 for amounts; text is kept trimmed.
void setItemValue(ProductItem& item, int group, std::string_view value);

}  // namespace vtx::hostsim

#include "TextRequestReader.h"

#include <set>

#include "FieldText.h"
#include "ItemGroups.h"

namespace vtx::hostsim {
namespace {

// A key "GGG-NNN" as group and occurrence; false for any other text.
bool splitKey(std::string_view key, int& group, int& occurrence) {
    if (key.size() != 7 || key[3] != '-' || key.find(' ') != std::string_view::npos) return false;
    auto g = digitsValue(key.substr(0, 3));
    auto n = digitsValue(key.substr(4, 3));
    if (!g || !n) return false;
    group = static_cast<int>(*g);
    occurrence = static_cast<int>(*n);
    return true;
}

std::string text(const FieldMessage& message, std::string_view key) {
    return std::string(message.field(key).value_or(""));
}

}  // namespace

HostRequest readTextRequest(const FieldMessage& message) {
    HostRequest request;
    request.type = trimmed(text(message, "000-000"));
    request.proc = trimmed(text(message, "011-000"));
    if (auto nsu = message.field("012-000")) request.nsu = digitsValue(*nsu).value_or(0);
    request.card = trimmed(text(message, "953-000"));
    request.identification = text(message, "949-000");
    if (auto page = message.field("900-000")) request.page = digitsValue(*page).value_or(0);
    request.search = trimmed(text(message, "920-000"));
    request.document = trimmed(text(message, "002-000"));
    request.establishment = trimmed(text(message, "942-000"));
    request.distributor = trimmed(text(message, "990-000"));

    int currentOccurrence = -1;
    std::set<int> groupsSeen;
    for (const auto& [key, value] : message.fields()) {
        int group = 0;
        int occurrence = 0;
        if (!splitKey(key, group, occurrence) || !isItemGroup(group)) continue;
        if (request.items.empty() || occurrence != currentOccurrence || groupsSeen.count(group)) {
            request.items.emplace_back();
            currentOccurrence = occurrence;
            groupsSeen.clear();
        }
        groupsSeen.insert(group);
        setItemValue(request.items.back(), group, value);
    }
    return request;
}

}  // namespace vtx::hostsim

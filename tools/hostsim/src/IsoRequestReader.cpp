#include "IsoRequestReader.h"

#include "FieldText.h"
#include "IsoRecordLayout.h"

namespace vtx::hostsim {
namespace {

std::string text(const IsoMessage& message, int bit) {
    return std::string(trimmed(message.bit(bit).value_or("")));
}

// Bit 60 carries 900-000 then 901-000 ("00"): the page is all but the last
// two characters, or the whole text when it is shorter.
std::optional<long> pageOf(const IsoMessage& message) {
    auto data = message.bit(60);
    if (!data || data->empty()) return std::nullopt;
    std::string_view page = data->size() >= 3 ? data->substr(0, data->size() - 2) : *data;
    return digitsValue(page).value_or(0);
}

}  // namespace

std::optional<HostRequest> readIsoRequest(const IsoMessage& message, std::string& error) {
    HostRequest request;
    request.iso = true;
    request.type = message.type();
    request.proc = text(message, 3);
    if (auto nsu = message.bit(37)) request.nsu = digitsValue(*nsu).value_or(0);
    request.card = text(message, 55);
    request.identification = std::string(message.bit(48).value_or(""));
    request.page = pageOf(message);
    request.document = text(message, 44);
    request.establishment = text(message, 42);

    const std::string kind = request.type + request.proc;
    std::string_view records = message.bit(63).value_or("");
    if (kind == "0100800100") {
        request.search = trimmed(records);
    } else if (kind == "0800388100") {
        request.distributor = trimmed(records);
    } else if (const RecordLayout* layout = requestLayout(kind)) {
        if (records.size() % layout->size != 0) {
            error = "bit 63: " + std::to_string(records.size()) +
                    " characters are not whole items of " + std::to_string(layout->size);
            return std::nullopt;
        }
        for (size_t pos = 0; pos < records.size(); pos += layout->size)
            request.items.push_back(readRecord(*layout, records.substr(pos, layout->size)));
    }
    return request;
}

}  // namespace vtx::hostsim

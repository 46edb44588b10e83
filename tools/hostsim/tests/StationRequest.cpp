#include "StationRequest.h"

#include <map>

#include "StationIso.h"

namespace vtx::hostsim::test {

StationRequest& StationRequest::add(std::string key, std::string value) {
    if (!value.empty()) fields_.emplace_back(std::move(key), std::move(value));
    return *this;
}

std::string StationRequest::text() const {
    std::string out;
    for (const auto& [key, value] : fields_) out += key + "=" + value + ";";
    return out;
}

std::string StationRequest::iso() const {
    std::map<int, std::string> data;
    for (size_t i = 1; i < fields_.size(); ++i) {
        int bit = stationBitOf(fields_[i].first.substr(0, 3));
        if (bit != 0) data[bit] += fields_[i].second;
    }
    std::string bits(64, '0');
    std::string body;
    for (auto& [bit, value] : data) {
        bits[static_cast<size_t>(bit - 1)] = '1';
        std::string_view format = stationFormatOf(bit);
        if (format == "2L" || format == "3L") {
            std::string length = std::to_string(value.size());
            while (length.size() < (format == "2L" ? 2u : 3u)) length = "0" + length;
            body += length + value;
            continue;
        }
        const size_t width = static_cast<size_t>(std::stoi(std::string(format)));
        while (value.size() < width) {
            value = stationBitIsNumeric(bit) ? "0" + value : value + " ";
        }
        body += value;
    }
    std::string bitmap;
    for (size_t i = 0; i < 64; i += 4) {
        bitmap += "0123456789ABCDEF"[std::stoi(bits.substr(i, 4), nullptr, 2)];
    }
    return fields_.at(0).second + bitmap + body;
}

}  // namespace vtx::hostsim::test

#include "FieldMessage.h"

namespace vtx::hostsim {

std::optional<std::string_view> FieldMessage::field(std::string_view key) const {
    size_t pos = 0;
    while (pos < text_.size()) {
        size_t end = text_.find(';', pos);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view item = text_.substr(pos, end - pos);
        size_t eq = item.find('=');
        if (eq != std::string_view::npos && item.substr(0, eq) == key) return item.substr(eq + 1);
        pos = end + 1;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string_view, std::string_view>> FieldMessage::fields() const {
    std::vector<std::pair<std::string_view, std::string_view>> out;
    size_t pos = 0;
    while (pos < text_.size()) {
        size_t end = text_.find(';', pos);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view item = text_.substr(pos, end - pos);
        size_t eq = item.find('=');
        if (eq != std::string_view::npos) out.emplace_back(item.substr(0, eq), item.substr(eq + 1));
        pos = end + 1;
    }
    return out;
}

}  // namespace vtx::hostsim

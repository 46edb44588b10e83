// Read access to a message in numbered-field text form:
// "GGG-NNN=value;GGG-NNN=value;...". Text that does not follow the form
// simply has no fields.
//
// Thread-safety: a view over caller-owned text; const use from any thread
// while the text lives.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace vtx::hostsim {

class FieldMessage {
public:
    explicit FieldMessage(std::string_view text) : text_(text) {}

    std::string_view text() const { return text_; }

    // The value of the first field named `key`, or nullopt.
    std::optional<std::string_view> field(std::string_view key) const;

    // Every "key=value" item in order, duplicates included; items without
    // "=" are left out.
    std::vector<std::pair<std::string_view, std::string_view>> fields() const;

private:
    std::string_view text_;
};

}  // namespace vtx::hostsim

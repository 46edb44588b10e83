// A request built the way the stations build theirs: fields appended in
// order (empty values left out), written as numbered-field text or in the
// ISO 8583 form (values of the groups that share a bit concatenated, then
// shaped by the bit's format).
//
// Thread-safety: a plain value.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vtx::hostsim::test {

class StationRequest {
public:
    StationRequest& add(std::string key, std::string value);

    std::string text() const;
    std::string iso() const;
    std::string in(bool iso) const { return iso ? this->iso() : text(); }

private:
    std::vector<std::pair<std::string, std::string>> fields_;
};

}  // namespace vtx::hostsim::test

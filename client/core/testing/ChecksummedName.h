// Test helpers for the station's checksummed data files (UP.Sxx, LT0001.Sxx,
// MF.Sxx): the name a content must carry, and a communication library that is
// never reached, for sessions that exchange nothing.
//
// Thread-safety: pure function; the fake holds no state.
#pragma once

#include <string>
#include <string_view>

#include "core/CommLibrary.h"

namespace vtx::client::testing {

// `prefix` followed by the check value of `bytes` (Windows-1252 text, line
// ends not counted): checksummedName("UP.S", content) is the name UP.Sxx
// must carry for that content.
std::string checksummedName(std::string_view prefix, std::string_view bytes);

class UnreachableCommLibrary : public CommLibrary {
public:
    std::optional<int> process(QString&, QString&, const QString&) override { return std::nullopt; }
    std::optional<Price> getPreco(const QString&, const QString&, const QString&,
                                  const Price&) override {
        return std::nullopt;
    }
};

}  // namespace vtx::client::testing

// One card of the data folder's cards.ini: who holds it, which
// identification fields it requires, and whether it is blocked.
//
// Thread-safety: a plain value.
#pragma once

#include <string>

namespace vtx::hostsim {

struct CardRecord {
    std::string number;   // digits
    std::string name;     // holder's name, for the receipt
    std::string field1;   // expected identification field 1; empty: not required
    std::string field2;   // expected identification field 2; empty: not required
    std::string message;  // operator message on an accepted eligibility; empty: none
    bool blocked = false;
};

}  // namespace vtx::hostsim

// One product as the messages carry it (groups 902-919), as the catalogue
// lists it, and as a transaction keeps it. Amounts are whole cents; the
// discount is in hundredths of a percent (1000 = 10,00 %).
//
// Thread-safety: a plain value.
#pragma once

#include <string>

namespace vtx::hostsim {

struct ProductItem {
    std::string code;           // 902, digits
    std::string description;    // 903
    std::string manufacturer;   // 904
    long quantity = 0;          // 905; -1 when the request's value is not a number
    std::string type;           // 906, one character ("Emb.")
    long discount = 0;          // 909
    long gross = 0;             // 910
    long net = 0;               // 911
    long collect = 0;           // 912, amount the shop collects from the cardholder
    std::string complement;     // 914
    std::string status = "00";  // 919; 40 and above: refused
    long limit = 0;             // catalogue only: most units authorised per item; 0 no limit

    bool authorised() const { return status.size() == 2 && status < "40"; }
};

}  // namespace vtx::hostsim

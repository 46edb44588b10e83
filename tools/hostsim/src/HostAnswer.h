// An answer as the transaction rules give it, before it is written in the
// form of its request (TextAnswerWriter, IsoAnswerWriter).
//
// Thread-safety: a plain value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "HostStatus.h"
#include "ItemGroups.h"
#include "ProductItem.h"

namespace vtx::hostsim {

struct HostAnswer {
    std::string status = "00";  // 009-000: two characters, below 40 accepted
    std::optional<long> nsu;    // 012-000
    std::string message;        // 030-000, operator message (at most 99 characters)
    bool formatError = false;   // the ISO request could not be parsed; `message` says why

    // 900-000 / 901-000: the next page (0: none) and the items listed.
    bool paged = false;
    long nextPage = 0;
    ItemList itemList = ItemList::kNone;
    std::vector<ProductItem> items;

    std::vector<std::string> receipt;  // 029-nnn, at most 38 characters each

    // One line per transaction this request changed, for the request log.
    std::vector<std::string> stateLines;

    static HostAnswer refused(std::string status, std::string message) {
        HostAnswer answer;
        answer.status = std::move(status);
        answer.message = std::move(message);
        return answer;
    }

    // The answer to a request that lacks a field or cannot be read.
    static HostAnswer unreadable(const std::string& detail) {
        return refused(status::kUnreadable,
                       ("Erro de formatacao na mensagem: " + detail).substr(0, 99));
    }
};

}  // namespace vtx::hostsim

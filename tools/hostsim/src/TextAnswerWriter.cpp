#include "TextAnswerWriter.h"

#include "FieldText.h"

namespace vtx::hostsim {
namespace {

void add(std::string& out, std::string_view group, size_t occurrence, std::string_view value) {
    if (value.empty()) return;
    out.append(group).append("-").append(zeroFill(static_cast<long>(occurrence), 3));
    out.append("=").append(value).append(";");
}

}  // namespace

std::string writeTextAnswer(const HostRequest& request, const HostAnswer& answer) {
    std::string out;
    add(out, "000", 0, request.type);
    add(out, "011", 0, request.proc);
    add(out, "009", 0, answer.status);
    if (answer.nsu) add(out, "012", 0, zeroFill(*answer.nsu, 6));
    add(out, "030", 0, answer.message);
    if (answer.paged) {
        add(out, "900", 0, std::to_string(answer.nextPage));
        add(out, "901", 0, zeroFill(static_cast<long>(answer.items.size()), 2));
    }
    for (size_t i = 0; i < answer.items.size(); ++i) {
        for (int group : itemGroups(answer.itemList))
            add(out, std::to_string(group), i, itemValue(answer.items[i], group));
    }
    if (!answer.receipt.empty()) {
        add(out, "028", 0, zeroFill(static_cast<long>(answer.receipt.size()), 2));
        for (size_t i = 0; i < answer.receipt.size(); ++i) add(out, "029", i, answer.receipt[i]);
    }
    return out;
}

}  // namespace vtx::hostsim

#include "IsoAnswerWriter.h"

#include "FieldText.h"
#include "IsoMessage.h"
#include "IsoRecordLayout.h"

namespace vtx::hostsim {
namespace {

constexpr size_t kReceiptLineWidth = 38;

std::string pagingData(const HostAnswer& answer) {
    return std::to_string(answer.paged ? answer.nextPage : 0) +
           zeroFill(static_cast<long>(answer.items.size()), 2) +
           zeroFill(static_cast<long>(answer.receipt.size()), 2);
}

std::string itemRecords(const RecordLayout& layout, const HostAnswer& answer) {
    std::string data;
    if (layout.receiptPrefix) {
        for (const std::string& line : answer.receipt) data += fitText(line, kPrefixLineWidth);
    }
    for (const ProductItem& item : answer.items) data += writeRecord(layout, item);
    return data;
}

}  // namespace

std::string writeIsoAnswer(const HostRequest& request, const HostAnswer& answer) {
    const std::string type = IsoMessage::answerType(request.type);
    IsoMessage out(type);
    if (!request.proc.empty()) out.set(3, request.proc);
    if (answer.nsu) out.set(37, zeroFill(*answer.nsu, 12));
    out.set(39, answer.status);
    if (answer.formatError) {
        out.set(60, kIsoFormatError);
    } else if (answer.paged || !answer.receipt.empty()) {
        out.set(60, pagingData(answer));
    }
    if (!answer.receipt.empty()) {
        std::string lines;
        for (const std::string& line : answer.receipt) lines += fitText(line, kReceiptLineWidth);
        out.set(61, lines);
    }
    if (!answer.message.empty()) out.set(62, answer.message);
    const RecordLayout* layout = answerLayout(type + request.proc);
    if (layout && !answer.items.empty()) out.set(63, itemRecords(*layout, answer));
    return out.serialize();
}

}  // namespace vtx::hostsim

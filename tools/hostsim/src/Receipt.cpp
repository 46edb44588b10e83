#include "Receipt.h"

#include "FieldText.h"

namespace vtx::hostsim {
namespace {

std::string centred(std::string_view text) {
    return std::string((kReceiptWidth - text.size()) / 2, ' ') + std::string(text);
}

std::string amountLine(std::string_view label, long cents) {
    std::string amount = centsText(cents);
    size_t gap = kReceiptWidth > label.size() + amount.size()
                     ? kReceiptWidth - label.size() - amount.size()
                     : 1;
    return std::string(label) + std::string(gap, ' ') + amount;
}

std::string cut(std::string text) {
    if (text.size() > kReceiptWidth) text.resize(kReceiptWidth);
    return text;
}

void addCardLines(std::vector<std::string>& lines, const Transaction& t, const CardRecord* holder) {
    lines.push_back("CARTAO " + maskedCard(t.card));
    if (holder != nullptr && !holder->name.empty())
        lines.push_back(cut("PORTADOR " + holder->name));
}

}  // namespace

std::vector<std::string> saleReceipt(const Transaction& sale, const CardRecord* holder) {
    long gross = 0;
    long net = 0;
    long collect = 0;
    size_t authorised = 0;
    for (const TransactionItem& item : sale.items) {
        const long units = item.remaining();
        if (units <= 0) continue;
        ++authorised;
        gross += units * item.product.gross;
        net += units * item.product.net;
        collect += units * item.product.collect;
    }
    std::vector<std::string> lines{centred("AUTORIZACAO DE VENDA")};
    std::string numbers = "NSU " + zeroFill(sale.nsu, 6);
    if (!sale.document.empty()) numbers += "  DOC " + sale.document;
    lines.push_back(cut(numbers));
    addCardLines(lines, sale, holder);
    lines.push_back("ITENS AUTORIZADOS " + std::to_string(authorised) + " DE " +
                    std::to_string(sale.items.size()));
    lines.push_back(amountLine("VALOR BRUTO", gross));
    lines.push_back(amountLine("VALOR LIQUIDO", net));
    lines.push_back(amountLine("A RECEBER NA LOJA", collect));
    lines.push_back(amountLine("BENEFICIO", gross - net));
    return lines;
}

std::vector<std::string> cancellationReceipt(const Transaction& cancellation,
                                             const CardRecord* holder) {
    long units = 0;
    long net = 0;
    for (const TransactionItem& item : cancellation.items) {
        units += item.product.quantity;
        net += item.product.quantity * item.product.net;
    }
    std::vector<std::string> lines{centred("CANCELAMENTO")};
    lines.push_back("NSU " + zeroFill(cancellation.nsu, 6) + "  ORIGINAL " +
                    zeroFill(cancellation.linked, 6));
    addCardLines(lines, cancellation, holder);
    lines.push_back("UNIDADES CANCELADAS " + std::to_string(units));
    lines.push_back(amountLine("VALOR CANCELADO", net));
    return lines;
}

}  // namespace vtx::hostsim

#include "EligibilityRule.h"

#include "Paging.h"
#include "vtx/platform/AsciiCase.h"

namespace vtx::hostsim {

using platform::equalsIgnoreCase;

namespace {

constexpr std::string_view kSaleCode = "800500";

// The values of 949-000: "LL" + value, repeated. Stops at the first length
// that is not two digits or runs past the end.
std::vector<std::string_view> identificationFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos + 2 <= text.size() && fields.size() < 2) {
        auto length = digitsValue(text.substr(pos, 2));
        if (!length || text.substr(pos, 2).find(' ') != std::string_view::npos ||
            pos + 2 + static_cast<size_t>(*length) > text.size())
            break;
        fields.push_back(text.substr(pos + 2, static_cast<size_t>(*length)));
        pos += 2 + static_cast<size_t>(*length);
    }
    return fields;
}

bool identificationMatches(const CardRecord& card, std::string_view identification) {
    const std::vector<std::string_view> given = identificationFields(identification);
    const std::string* expected[] = {&card.field1, &card.field2};
    for (size_t i = 0; i < 2; ++i) {
        if (expected[i]->empty()) continue;
        std::string_view value = i < given.size() ? trimmed(given[i]) : std::string_view();
        if (!equalsIgnoreCase(value, trimmed(*expected[i]))) return false;
    }
    return true;
}

}  // namespace

bool EligibilityRule::handles(const HostRequest& request) const {
    if (request.type != "0100") return false;
    if (request.proc == kSaleCode) return true;
    for (const std::string& code : preSaleCodes_) {
        if (request.proc == code) return true;
    }
    return false;
}

HostAnswer EligibilityRule::answer(const HostRequest& request, RuleContext& context) const {
    const std::string digits = cardDigits(request.card);
    if (digits.empty()) return HostAnswer::unreadable("953-000 (cartao) ausente");
    const CardRecord* card = context.data.cards.find(digits);
    if (card == nullptr) return HostAnswer::refused(status::kUnknownCard, "Cartao nao cadastrado");
    if (card->blocked) return HostAnswer::refused(status::kBlockedCard, "Cartao bloqueado");
    if (!identificationMatches(*card, request.identification))
        return HostAnswer::refused(status::kIdentification, "Dados de identificacao nao conferem");
    HostAnswer answer = request.proc == kSaleCode
                            ? saleItems(digits, request.page.value_or(0), request.origin(), context)
                            : openPreAuthorisation(digits, request.origin(), context);
    if (answer.status == status::kApproved) answer.message = card->message;
    return answer;
}

HostAnswer EligibilityRule::openPreAuthorisation(const std::string& card,
                                                 const TransactionOrigin& origin,
                                                 RuleContext& context) const {
    HostAnswer answer;
    answer.nsu = context.nextNsu();
    context.ledger.update([&](LedgerBook& book) {
        Transaction& t = book.add(*answer.nsu, TransactionKind::kPreAuthorisation, card, origin);
        answer.stateLines.push_back(stateLine(t));
    });
    return answer;
}

HostAnswer EligibilityRule::saleItems(const std::string& card, long page,
                                      const TransactionOrigin& origin, RuleContext& context) const {
    return context.ledger.update([&](LedgerBook& book) {
        Transaction* sale = nullptr;
        HostAnswer answer;
        if (page == 0) {
            sale = &book.add(context.nextNsu(), TransactionKind::kSale, card, origin);
            if (Transaction* held = book.heldBy(card)) sale->linked = held->nsu;
            answer.stateLines.push_back(stateLine(*sale));
        } else if ((sale = book.openSaleOf(card)) == nullptr) {
            return HostAnswer::refused(status::kUnknownTransaction, "Transacao nao encontrada");
        }
        std::vector<ProductItem> items;
        Transaction* held = sale->linked != 0 ? book.find(sale->linked) : nullptr;
        if (held != nullptr && held->held() && held->card == card) {
            for (const TransactionItem& item : held->items) {
                if (item.remaining() <= 0) continue;
                items.push_back(item.product);
                items.back().quantity = item.remaining();
            }
        }
        const PageSpan span = pageSpan(items.size(), page);
        answer.nsu = sale->nsu;
        answer.paged = true;
        answer.nextPage = span.next;
        answer.itemList = ItemList::kAuthorised;
        auto first = items.begin() + static_cast<std::ptrdiff_t>(span.first);
        answer.items.assign(first, first + static_cast<std::ptrdiff_t>(span.count));
        return answer;
    });
}

}  // namespace vtx::hostsim

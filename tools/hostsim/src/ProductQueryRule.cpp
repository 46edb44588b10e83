#include "ProductQueryRule.h"

#include "Paging.h"

namespace vtx::hostsim {

HostAnswer ProductQueryRule::answer(const HostRequest& request, RuleContext& context) const {
    const std::vector<const ProductItem*> found = context.data.catalogue.search(request.search);
    const PageSpan span = pageSpan(found.size(), request.page.value_or(0));
    HostAnswer answer;
    if (span.count == 0)
        answer = HostAnswer::refused(status::kNotInCatalogue, "Produto nao encontrado");
    answer.nsu = request.nsu;
    answer.paged = true;
    answer.nextPage = span.next;
    answer.itemList = ItemList::kCatalogue;
    for (size_t i = span.first; i < span.first + span.count; ++i) answer.items.push_back(*found[i]);
    return answer;
}

}  // namespace vtx::hostsim

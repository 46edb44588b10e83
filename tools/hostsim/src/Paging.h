// Lists answered a page at a time: pages of 12 items, numbered from 0; the
// answer's 900-000 names the next page, 0 when none follows. The ISO form
// has one digit for it, so a list ends after page 9 (120 items).
//
// Thread-safety: pure function.
#pragma once

#include <cstddef>

namespace vtx::hostsim {

inline constexpr size_t kPageSize = 12;
inline constexpr long kLastPage = 9;

struct PageSpan {
    size_t first = 0;  // index of the page's first item
    size_t count = 0;  // items on the page; 0 (and first 0) past the end
    long next = 0;     // the next page, 0 when none
};

inline PageSpan pageSpan(size_t total, long page) {
    PageSpan span;
    if (page < 0 || page > kLastPage) return span;
    const size_t first = static_cast<size_t>(page) * kPageSize;
    if (first >= total) return span;
    span.first = first;
    span.count = total - span.first < kPageSize ? total - span.first : kPageSize;
    if (span.first + span.count < total && page < kLastPage) span.next = page + 1;
    return span;
}

}  // namespace vtx::hostsim

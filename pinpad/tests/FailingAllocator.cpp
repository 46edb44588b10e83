#include "FailingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> failing{false};

}  // namespace

namespace vtx::pinpad::test {

void failAllocations(bool fail) {
    failing = fail;
}

}  // namespace vtx::pinpad::test

void* operator new(std::size_t size) {
    if (failing.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

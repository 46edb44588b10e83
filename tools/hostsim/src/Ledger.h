// The host's state shared by every port and worker: a LedgerBook behind one
// mutex. Each request does all its reading and writing in one update(), so
// a transaction is seen either before or after a request, never half-way.
//
// Thread-safety: update() may be called from any thread.
#pragma once

#include <mutex>

#include "LedgerBook.h"

namespace vtx::hostsim {

class Ledger {
public:
    static constexpr size_t kDefaultCapacity = 20000;

    explicit Ledger(size_t capacity = kDefaultCapacity, long batchSize = 0)
        : book_(capacity, batchSize) {}

    // Runs `work(LedgerBook&)` under the mutex and returns its result; then
    // forgets transactions beyond the capacity. Pointers into the book must
    // not outlive `work`.
    template <typename Work>
    auto update(Work&& work) {
        std::lock_guard lock(mutex_);
        struct Trim {
            LedgerBook& book;
            ~Trim() { book.trim(); }
        } trim{book_};
        return work(book_);
    }

private:
    std::mutex mutex_;
    LedgerBook book_;  // guarded by mutex_
};

}  // namespace vtx::hostsim

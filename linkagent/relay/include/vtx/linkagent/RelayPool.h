// The relay threads of the connection manager: one thread per accepted
// connection, at most `limit` at a time, so a flood of connections cannot
// exhaust the process. Finished threads are joined by reap(), which the
// listener calls on every turn of its loop, so the thread count returns to
// its idle value once the connections are served.
//
// A relay thread needs little stack (its buffers are a few kilobytes), so its
// stack is kStackBytes rather than the system's default of megabytes: the
// stacks of many threads stay small, and the system keeps them for reuse
// instead of mapping and unmapping one for every connection.
//
// Thread-safety: start(), reap() and waitForSlot() are called by one thread
// (the listener), finish() by that thread or, once it has stopped calling
// start(), by another; active() and the threads' own bookkeeping may run on
// any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include <pthread.h>

namespace vtx::linkagent {

class RelayPool {
public:
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    static constexpr size_t kStackBytes = size_t{4} * 1024 * 1024;  // sanitizers need more
#else
    // A relay (reading, Process_Server with failover, tracing or the DES
    // frame) needs less than 32 KiB.
    static constexpr size_t kStackBytes = size_t{256} * 1024;
#endif

    // `onFinished`, when given, runs on each thread as it finishes, after its
    // slot is free (the listener's wait is told of the free slot).
    explicit RelayPool(size_t limit, std::function<void()> onFinished = {})
        : limit_(limit == 0 ? 1 : limit), onFinished_(std::move(onFinished)) {}
    // Waits for every thread (finish() first to bound the wait).
    ~RelayPool();
    RelayPool(const RelayPool&) = delete;
    RelayPool& operator=(const RelayPool&) = delete;

    size_t limit() const {
        return limit_;
    }
    size_t active() const;

    // True when fewer than limit() threads run, waiting up to `bound` for one
    // to finish.
    bool waitForSlot(std::chrono::milliseconds bound);

    // Runs `work` on a new thread. Returns 0, or the system's error number
    // when the thread could not be created. `work` must not throw; anything
    // it throws is caught and dropped so it never leaves the thread.
    int start(std::function<void()> work);

    // Joins the threads that have finished.
    void reap();

    // Waits up to `bound` for every thread to finish and joins them. False
    // when some are still running: those are detached, and the caller must
    // end the process before anything they use goes away.
    bool finish(std::chrono::milliseconds bound);

private:
    struct Job;
    static void* runJob(void* job);
    void finished(uint64_t id);

    const size_t limit_;
    const std::function<void()> onFinished_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<uint64_t, pthread_t> threads_;
    std::vector<uint64_t> finished_;
    size_t active_ = 0;
    uint64_t nextId_ = 0;
};

}  // namespace vtx::linkagent

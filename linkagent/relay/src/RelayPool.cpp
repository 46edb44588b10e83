#include "vtx/linkagent/RelayPool.h"

#include <cerrno>
#include <memory>

namespace vtx::linkagent {

struct RelayPool::Job {
    RelayPool* pool;
    uint64_t id;
    std::function<void()> work;
};

void* RelayPool::runJob(void* raw) {
    RelayPool* pool;
    uint64_t id;
    {
        std::unique_ptr<Job> job(static_cast<Job*>(raw));
        pool = job->pool;
        id = job->id;
        try {
            job->work();
        } catch (...) {
        }
    }  // the work and what it holds are gone before the pool hears of the end
    pool->finished(id);
    return nullptr;
}

RelayPool::~RelayPool() {
    finish(std::chrono::hours(24));
}

size_t RelayPool::active() const {
    std::lock_guard lock(mutex_);
    return active_;
}

bool RelayPool::waitForSlot(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [this] { return active_ < limit_; });
}

int RelayPool::start(std::function<void()> work) {
    std::unique_ptr<Job> job;
    try {
        job.reset(new Job{this, 0, std::move(work)});
    } catch (...) {
        return ENOMEM;
    }
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) return ENOMEM;
    pthread_attr_setstacksize(&attributes, kStackBytes);
    {
        std::lock_guard lock(mutex_);
        job->id = nextId_++;
        ++active_;
    }
    // Created outside the lock, so finishing relays never wait for it. The
    // thread may finish before its entry is made below; reap() runs on this
    // same (listener) thread, so it always finds the entry.
    const uint64_t id = job->id;
    pthread_t thread;
    const int error = pthread_create(&thread, &attributes, &RelayPool::runJob, job.get());
    pthread_attr_destroy(&attributes);
    std::lock_guard lock(mutex_);
    if (error != 0) {
        --active_;
        changed_.notify_all();
        return error;
    }
    (void)job.release();  // the thread owns it now
    threads_.emplace(id, thread);
    return 0;
}

void RelayPool::finished(uint64_t id) {
    {
        std::lock_guard lock(mutex_);
        finished_.push_back(id);
        --active_;
        changed_.notify_all();
    }
    if (onFinished_) onFinished_();
}

void RelayPool::reap() {
    std::vector<pthread_t> done;
    {
        std::lock_guard lock(mutex_);
        for (uint64_t id : finished_) {
            auto it = threads_.find(id);
            if (it == threads_.end()) continue;
            done.push_back(it->second);
            threads_.erase(it);
        }
        finished_.clear();
    }
    for (pthread_t t : done) pthread_join(t, nullptr);  // each has left its work
}

bool RelayPool::finish(std::chrono::milliseconds bound) {
    bool all;
    {
        std::unique_lock lock(mutex_);
        all = changed_.wait_for(lock, bound, [this] { return active_ == 0; });
    }
    reap();
    if (all) return true;
    std::lock_guard lock(mutex_);
    for (auto& [id, thread] : threads_) pthread_detach(thread);
    threads_.clear();
    return false;
}

}  // namespace vtx::linkagent

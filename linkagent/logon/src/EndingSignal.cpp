#include "vtx/linkagent/logon/EndingSignal.h"

namespace vtx::linkagent {

void EndingSignal::raise() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        raised_ = true;
    }
    wake_.notify_all();
}

bool EndingSignal::raised() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return raised_;
}

bool EndingSignal::sleepFor(std::chrono::milliseconds duration) const {
    std::unique_lock<std::mutex> lock(mutex_);
    if (duration.count() > 0) wake_.wait_for(lock, duration, [this] { return raised_; });
    return raised_;
}

}  // namespace vtx::linkagent

#include "vtx/linkagent/testing/ServiceFakes.h"

#include <algorithm>

namespace vtx::linkagent::test {

void RecordingLogger::log(const std::string& text) {
    std::lock_guard lock(mutex_);
    lines_.push_back(text);
}

std::vector<std::string> RecordingLogger::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

bool RecordingLogger::has(const std::string& text) const {
    std::lock_guard lock(mutex_);
    return std::find(lines_.begin(), lines_.end(), text) != lines_.end();
}

void RecordingStatus::show(StatusField field, const std::string& text) {
    std::lock_guard lock(mutex_);
    shown_.emplace_back(field, text);
}

std::vector<std::string> RecordingStatus::texts(StatusField field) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (const auto& [f, t] : shown_) {
        if (f == field) out.push_back(t);
    }
    return out;
}

std::string RecordingStatus::last(StatusField field) const {
    const auto all = texts(field);
    return all.empty() ? "<none>" : all.back();
}

bool RecordingStatus::empty() const {
    std::lock_guard lock(mutex_);
    return shown_.empty();
}

}  // namespace vtx::linkagent::test

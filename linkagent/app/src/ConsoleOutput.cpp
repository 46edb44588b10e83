#include "ConsoleOutput.h"

#include <unistd.h>

#include <cstdio>

#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Cp1252.h"

namespace vtx::linkagent {

ConsoleOutput::ConsoleOutput() : writer_([this] { writeLoop(); }) {}

ConsoleOutput::~ConsoleOutput() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    writer_.join();
    flush();
}

std::string ConsoleOutput::printable(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            (void)std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);  // four characters
            safe += escaped;
        } else {
            safe.push_back(c);
        }
    }
    return vtx::platform::cp1252ToUtf8(safe);
}

void ConsoleOutput::line(std::string_view text) {
    std::string line = printable(text);
    line.push_back('\n');
    bool wasEmpty, full;
    {
        std::lock_guard lock(mutex_);
        wasEmpty = pending_.empty();
        pending_ += line;
        full = pending_.size() >= kMostPending;
    }
    if (full) {
        flush();
    } else if (wasEmpty) {
        wake_.notify_one();
    }
}

void ConsoleOutput::error(std::string_view text) {
    std::lock_guard writing(writeMutex_);
    writePending();
    // A closed output loses its lines: status is not worth failing for.
    platform::writeAll(STDERR_FILENO, printable(text) + "\n");
}

void ConsoleOutput::flush() {
    std::lock_guard writing(writeMutex_);
    writePending();
}

void ConsoleOutput::writePending() {
    std::string bytes;
    {
        std::lock_guard lock(mutex_);
        bytes.swap(pending_);
    }
    if (!bytes.empty()) platform::writeAll(STDOUT_FILENO, bytes);
}

void ConsoleOutput::writeLoop() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) break;
        // Let the lines of this moment gather, then write them in one go.
        lock.unlock();
        std::this_thread::sleep_for(kBatchDelay);
        flush();
        lock.lock();
    }
}

}  // namespace vtx::linkagent

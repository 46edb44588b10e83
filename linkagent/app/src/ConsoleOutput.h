// Standard output and standard error, where the program shows its status and
// its messages when it runs without a window. Text is the program's
// Windows-1252 and leaves as UTF-8; control bytes are written as "\xHH", so
// no text (a terminal's request in a log line) can break a line or forge
// another one.
//
// Status lines are many (several per relayed request), so they are gathered
// and written together by a writer thread, at most kBatchDelay after they
// were shown; a line never waits for the output on the caller's thread
// unless kMostPending bytes are already waiting. Messages for standard error
// are written at once, after the lines shown before them.
//
// Thread-safety: any thread; lines are whole and in the order shown.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace vtx::linkagent {

class ConsoleOutput {
public:
    static constexpr std::chrono::milliseconds kBatchDelay{20};
    static constexpr size_t kMostPending = size_t{256} * 1024;

    ConsoleOutput();
    // Writes what is pending and stops the writer.
    ~ConsoleOutput();
    ConsoleOutput(const ConsoleOutput&) = delete;
    ConsoleOutput& operator=(const ConsoleOutput&) = delete;

    void line(std::string_view text);   // standard output, soon
    void error(std::string_view text);  // standard error, now
    // Writes the pending lines now.
    void flush();

    // The text as it is written (without the line end).
    static std::string printable(std::string_view text);

private:
    void writeLoop();
    // Writes `pending_` (taken under the lock); called with `writeMutex_` held.
    void writePending();

    std::mutex mutex_;  // pending_, stopping_
    std::condition_variable wake_;
    std::string pending_;
    bool stopping_ = false;
    std::mutex writeMutex_;  // one writer at a time, so lines keep their order
    std::thread writer_;
};

}  // namespace vtx::linkagent

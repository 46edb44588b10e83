// One request of the folder interface, from its ".thr" name in the input
// folder to its answer "<base>.001" in the output folder: read the request,
// move it to "<base>.sts" in the output folder, hand the message to the
// configured library function, and write the answer through "<base>.tmp".
//
// Each step that says "done" comes after the work it marks: the answer is
// written whole to ".tmp", flushed, and renamed to ".001", and only then is
// the ".sts" removed. An answer an earlier request of the same name left is
// removed before the ".sts" is made, so an answer beside a ".sts" is always
// that request's. A kill at any moment leaves the request under one of its
// working names.
//
// Thread-safety: run() and answerInterrupted() may be called from many
// threads at once, each for its own base name.
#pragma once

#include <functional>
#include <string>

#include "vtx/linkagent/AgentServices.h"
#include "vtx/linkagent/shellfile/ShellFileSettings.h"

namespace vtx::linkagent {

struct ShellFolders {
    std::string installDir;  // as configured (the library is looked for there too)
    std::string input;       // native
    std::string output;      // native
};

class ShellRequestRunner {
public:
    ShellRequestRunner(Logger& logger, ConnectionGuard& guard, StatusBoard& status,
                       std::function<void()> newLogFile, std::string installDir, std::string coreIni)
        : logger_(logger),
          guard_(guard),
          status_(status),
          newLogFile_(std::move(newLogFile)),
          installDir_(std::move(installDir)),
          coreIni_(std::move(coreIni)) {}

    // Works the request "<base>.thr" of the input folder to its answer.
    void run(const std::string& base);

    // A request found as "<base>.sts" at start-up, without its answer: it
    // may have reached the host, so it is not sent again; it is answered
    // 009-000 = 163 (no answer from the host).
    void answerInterrupted(const std::string& base, const ShellFolders& folders);

    // The folders of the current settings.
    ShellFolders folders(const ShellFileSettings& settings) const;

private:
    // The exchange through the configured library: the result, `buffer`
    // holding the answer; false when the library or its function could not
    // be had (the request then stays ".sts", unanswered).
    bool exchange(const ShellFileSettings& settings, const ShellFolders& folders,
                  const std::string& operatorCode, std::string& buffer, int& result);
    // Writes the answer whole and puts it in place; removes the ".sts".
    bool deliver(const ShellFolders& folders, const std::string& base, const std::string& text);
    void cancelAll(const ShellFolders& folders, const ShellFileSettings& settings,
                   const std::string& thrPath);

    Logger& logger_;
    ConnectionGuard& guard_;
    StatusBoard& status_;
    std::function<void()> newLogFile_;
    const std::string installDir_;
    const std::string coreIni_;
};

}  // namespace vtx::linkagent

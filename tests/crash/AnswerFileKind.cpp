// The folder interface's answer files: a request "<base>.thr" taken from
// the input folder is worked by ShellRequestRunner (moved to "<base>.sts" in
// the output folder, answered through the configured library, the answer
// written to "<base>.tmp" and renamed "<base>.001", the ".sts" removed).
// Generation n is the answer to the n-th request of one base name, the
// request's 011-000 and end marker naming n; a new request comes while the
// answer to the one before still lies in the output folder.
//
// Sound means: an answer file is always one request's whole answer; a
// request once taken is never lost; and the answer beside a request in
// work is never an earlier request's (the folder interface's start-up takes
// an answer beside a ".sts" for that request's, and would drop the request).
// The start-up step is FolderInterface::start(), which takes up leftovers.
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "CrashAnswer.h"
#include "Eventually.h"
#include "FileKind.h"
#include "ShellRequestRunner.h"
#include "vtx/linkagent/shellfile/FolderInterface.h"
#include "vtx/linkagent/shellfile/ShellRequest.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

using namespace std::chrono_literals;

constexpr const char* kBase = "PEDIDO";
constexpr auto kRecoveryBound = 60s;

class QuietLogger : public linkagent::Logger {
public:
    void log(const std::string&) override {}
};
class QuietStatus : public linkagent::StatusBoard {
public:
    void show(linkagent::StatusField, const std::string&) override {}
};
class PermanentLink : public linkagent::ConnectionGuard {
public:
    bool ensureConnection() override { return true; }
    void touch() override {}
    bool dialUpDown() const override { return false; }
};

std::string sequenceOf(long g) {
    std::string s = std::to_string(g);
    return std::string(s.size() < 6 ? 6 - s.size() : 0, '0') + s;
}

std::string markerOf(const std::string& sequence) {
    return "999-999=" + sequence;
}

std::string requestOf(long g) {
    return "040-000=OPA\r\n000-000=0200\r\n011-000=" + sequenceOf(g) + "\r\n" +
           markerOf(sequenceOf(g)) + "\r\n";
}

std::string answerOf(long g) {
    return linkagent::answerText(crashAnswerFields(sequenceOf(g)), markerOf(sequenceOf(g)));
}

// What the start-up answers for a request it found in work without answer.
std::string interruptedAnswerOf(long g) {
    return linkagent::answerText(linkagent::failureBuffer(-163).substr(4), markerOf(sequenceOf(g)));
}

// The generation of a request file's text, -1 when it is none of them.
long requestGeneration(const std::optional<std::string>& text) {
    if (!text) return -1;
    const size_t at = text->find("011-000=");
    if (at == std::string::npos) return -1;
    const long g = std::atol(text->c_str() + at + 8);
    return *text == requestOf(g) ? g : -1;
}

class AnswerFileKind : public FileKind {
public:
    explicit AnswerFileKind(const std::string& root)
        : FileKind(root),
          dir_(platform::joinPath(root, "C/Vantrix")),
          coreIni_(platform::joinPath(dir_, "CORE.INI")),
          input_(platform::joinPath(dir_, "REQ")),
          output_(platform::joinPath(dir_, "RESP")),
          runner_(logger_, link_, status_, {}, dir_, coreIni_) {}

    const char* name() const override { return "answer"; }

    // The request as the poll thread hands it over, then its work.
    void write(long n) override {
        platform::replaceFile(platform::joinPath(input_, std::string(kBase) + ".thr"),
                              requestOf(n));
        runner_.run(kBase);
    }

    Verdict judge(long older, long newer, bool settled) const override {
        Verdict v;
        const auto out = detail::filesOf(output_);
        const auto in = detail::filesOf(input_);
        auto at = [](const auto& files, const std::string& name) -> std::optional<std::string> {
            const auto it = files.find(name);
            return it == files.end() ? std::nullopt : std::optional(it->second);
        };
        const std::string base = kBase;
        const auto answer = at(out, base + ".001");
        const long pending = std::max(requestGeneration(at(in, base + ".thr")),
                                      requestGeneration(at(out, base + ".sts")));
        v.generation = detail::generationOf(answer, older, newer, answerOf);
        if (v.generation < 0 && settled)
            v.generation = detail::generationOf(answer, older, newer, interruptedAnswerOf);
        if (answer && v.generation < 0) v.problem = detail::describe(base + ".001", answer);
        if (!answer && pending < 0) v.problem = "neither an answer nor a request in work";
        if (v.problem.empty() && answer && at(out, base + ".sts") && pending != v.generation)
            v.problem = "the answer to request " + std::to_string(v.generation) +
                        " lies beside request " + std::to_string(pending) +
                        " in work: a start-up takes it for that request's";
        if (!answer && v.problem.empty()) v.generation = pending - 1;
        for (const auto* files : {&in, &out}) {
            for (const auto& [file, bytes] : *files) {
                if (file == base + ".001") continue;
                // The temporary of this test's stand-in for the point-of-sale
                // program, which hands requests over whole.
                if (files == &in && detail::isHiddenWorkFile(file)) continue;
                v.leftover = true;
                if (settled && v.problem.empty()) v.problem = "left behind: " + file;
            }
        }
        return v;
    }

    // A start of the folder interface: what a killed run left is answered
    // (a taken request is worked again, one in work answered as
    // interrupted), then the interface stops.
    std::optional<long> recover(long found) override {
        const long pending = std::max(requestGeneration(detail::readWhole(
                                          platform::joinPath(input_, std::string(kBase) + ".thr"))),
                                      requestGeneration(detail::readWhole(platform::joinPath(
                                          output_, std::string(kBase) + ".sts"))));
        linkagent::FolderInterface folder(logger_, link_, status_, {}, dir_, coreIni_);
        if (folder.start()) {
            // The judge that follows tells what was left if this never settles.
            (void)vtx::test::eventually(
                [&] {
                    return platform::findFiles(input_, "*.thr").empty() &&
                           platform::findFiles(output_, "*.sts").empty();
                },
                kRecoveryBound);
            folder.notifyEnding();
            folder.join(kRecoveryBound);
        }
        return std::max(found, pending);
    }

protected:
    std::vector<std::string> folders() const override { return {dir_}; }

    void prepare() override {
        platform::iniWrite(coreIni_, {{"ShellFile", "Input_Folder", "REQ"},
                                      {"ShellFile", "Output_Folder", "RESP"},
                                      {"ShellFile", "Dll Exec", VTX_CRASH_ANSWER_LIBRARY},
                                      {"ShellFile", "Function Exec", "CrashAnswer"},
                                      {"ShellFile", "Pause_Next_File", "0"}});
        detail::emptyFolder(input_);
        detail::emptyFolder(output_);
        write(0);
    }

private:
    std::string dir_;
    std::string coreIni_;
    std::string input_;
    std::string output_;
    QuietLogger logger_;
    QuietStatus status_;
    PermanentLink link_;
    linkagent::ShellRequestRunner runner_;
};

}  // namespace

std::unique_ptr<FileKind> makeAnswerFileKind(const std::string& root) {
    return std::make_unique<AnswerFileKind>(root);
}

}  // namespace vtx::crash

// SOCKET.BIN: the communication library's trace in the Windows directory,
// written by SocketTrace at the end of each request (one atomic update of
// the INI-form file with every entry of the request). Whole means, in the
// trace's own terms: every line a complete entry, every entry of the file
// from one request (a request's trace never mixed with another's or cut),
// and no card number in plain. Each generation is one request whose
// entries all name it and carry a card number.
#include <string>
#include <vector>

#include "FileKind.h"
#include "SocketTrace.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr int kEntries = 40;
constexpr const char* kSection = "OPA-Client";
constexpr const char* kCard = "6362970000001234";

std::string entryValue(long g, int k) {
    return "req " + std::to_string(g) + " 002-000=" + kCard + " campo " + std::to_string(k) + " " +
           std::string(120, 'x');
}

class SocketTraceKind : public OneFileKind {
public:
    explicit SocketTraceKind(const std::string& root)
        : OneFileKind(root, platform::joinPath(root, "C/Windows"), cli::kTraceFile) {}

    const char* name() const override { return "trace"; }

    void write(long n) override {
        cli::SocketTrace trace(true);
        for (int k = 0; k < kEntries; ++k)
            trace.step(kSection, "K" + std::to_string(k), entryValue(n, k));
    }

    Verdict judge(long older, long newer, bool settled) const override {
        Verdict v = OneFileKind::judge(older, newer, settled);
        // Whatever the comparison said: a card in plain is a fault of its own.
        for (const auto& [file, bytes] : detail::filesOf(dir_)) {
            if (bytes.find(kCard) != std::string::npos)
                v.problem = file + " shows a card number in plain";
        }
        return v;
    }

protected:
    void prepare() override { write(0); }
    // One request's entries, masked as the trace masks them.
    std::string content(long g) const override {
        std::vector<platform::IniWrite> entries;
        for (int k = 0; k < kEntries; ++k)
            entries.push_back(
                {kSection, "K" + std::to_string(k), cli::traceValue(entryValue(g, k))});
        return platform::iniApplyWrites("", entries);
    }
};

}  // namespace

std::unique_ptr<FileKind> makeSocketTraceKind(const std::string& root) {
    return std::make_unique<SocketTraceKind>(root);
}

}  // namespace vtx::crash

// UP.Sxx, the manager password file, whose name ends in the checksum of its
// line. Two writers replace it: the terminal logon installs the host's new
// generation (LogonCommit, the older generations removed after the new one
// is in place) and the client rewrites it when a manager changes a
// password (SobreEscreveArquivo, through an intent file). Generations
// alternate between the writers and between two password lines.
//
// Sound means: at every moment at least one UP.S?? whose name matches its
// content, every one of them a whole generation; two at once only while a
// mark of the unfinished swap (the logon's commit record, the client's
// intent file) says which one stays; after the start-up steps of both
// programs, exactly one.
#include <string>

#include "ClientChecks.h"
#include "FileKind.h"
#include "LogonDelivery.h"
#include "core/FileReplacement.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr const char* kPasswordOperator = "OPU";

// Five 6-character slots of scrambled passwords.
std::string lineOf(long g) {
    return g % 2 == 0 ? "AbC123dEf456GhI789jKl012MnO345" : "ZyX987wVu654TsR321qPo098NmL765";
}
std::string fileNameOf(long g) {
    return checksummedName("UP.S", {lineOf(g)});
}

// The file a logon assembles a table in: a killed logon leaves it, the
// next logon of the operator opens it anew; no reader takes it for a table.
std::string passwordAssemblyFile() {
    return std::string("_FILE$$$$$.TMP.") + kPasswordOperator;
}

class PasswordFileKind : public FileKind {
public:
    explicit PasswordFileKind(const std::string& root)
        : FileKind(root), dir_(platform::joinPath(root, "C/Vantrix")) {}

    const char* name() const override { return "password"; }

    void write(long n) override {
        if (n % 2 == 0) {
            const std::string batch = std::to_string(1000000000 + n);
            deliverByLogon(dir_, kPasswordOperator, {batch, "000001"}, {{fileNameOf(n), {lineOf(n)}}});
            return;
        }
        const auto current = platform::findFirstFile(dir_, "UP.S??");
        if (!current) return;
        client::SobreEscreveArquivo(QString::fromStdString(*current),
                                    QString::fromStdString(lineOf(n)), quietReporter());
    }

    Verdict judge(long older, long newer, bool settled) const override {
        Verdict v;
        int copies = 0;
        bool swapMarked = false;
        for (const auto& [file, bytes] : detail::filesOf(dir_)) {
            if (file == "CORE.INI") continue;
            if (!platform::wildcardMatch("UP.S??", file)) {
                v.leftover = true;
                if (file == passwordAssemblyFile()) continue;
                swapMarked =
                    swapMarked || file == ".UP.S~replace" || file.starts_with("_FILE$$$$$.OK.");
                if (settled && v.problem.empty()) v.problem = "left behind: " + file;
                continue;
            }
            ++copies;
            const long g = detail::generationOf(bytes, older, newer,
                                                [](long h) { return lineOf(h) + "\r\n"; });
            if (g < 0 || !nameMatchesContent(platform::joinPath(dir_, file))) {
                v.problem = file + ": not a whole generation under its checksum name (" +
                            std::to_string(bytes.size()) + " bytes: " + bytes.substr(0, 40) + ")";
                return v;
            }
            // The client reads the first match in name order.
            if (v.generation < 0) v.generation = g;
        }
        if (copies == 0) v.problem = "no UP.S?? left";
        if (copies > 1 && (settled || !swapMarked))
            v.problem = std::to_string(copies) + " UP.S?? files and no mark of a swap under way";
        return v;
    }

    // LinkAgent's start completes a commit; the client's next look-up a
    // password change.
    std::optional<long> recover(long) override {
        recoverLogon(dir_);
        client::finishInterruptedReplacement(QStringLiteral("C:\\Vantrix"), QStringLiteral("UP.S"),
                                             quietReporter());
        return std::nullopt;
    }

protected:
    std::vector<std::string> folders() const override { return {dir_}; }

    void prepare() override {
        platform::iniWrite(platform::joinPath(dir_, "CORE.INI"),
                           {{"CONFIG", "ESTAB_CODE", "000000000012345"}});
        write(0);
    }

private:
    std::string dir_;
};

}  // namespace

std::unique_ptr<FileKind> makePasswordFileKind(const std::string& root) {
    return std::make_unique<PasswordFileKind>(root);
}

}  // namespace vtx::crash

// INI keys: a station's settings file rewritten by the platform's INI
// writer (iniWrite: the edit of IniEdit applied to the file's content, then
// one atomic replacement under the folder lock). Each generation sets the
// same keys of three sections to values naming it; the lines around them
// (comments, other sections) stay as they were.
#include <string>
#include <vector>

#include "FileKind.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::crash {
namespace {

constexpr int kKeysPerSection = 120;
const char* const kSections[] = {"CONFIG", "LOGON", "ShellFile"};

// The file as the installer left it, before any key of the test is set.
constexpr const char* kInstalled =
    "; Estacao de teste\r\n"
    "[CONFIG]\r\n"
    "ESTAB_CODE=000000000012345\r\n"
    "\r\n"
    "[Outros]\r\n"
    "Chave=Valor que fica\r\n"
    "[LOGON]\r\n"
    "[ShellFile]\r\n"
    "Input_Folder=REQ\r\n";

std::vector<platform::IniWrite> writesOf(long g) {
    std::vector<platform::IniWrite> writes;
    for (const char* section : kSections) {
        for (int k = 0; k < kKeysPerSection; ++k)
            writes.push_back({section, "Chave" + std::to_string(k),
                              "geracao " + std::to_string(g) + " " + std::string(30, 'v')});
    }
    return writes;
}

class IniKeysKind : public OneFileKind {
public:
    explicit IniKeysKind(const std::string& root)
        : OneFileKind(root, platform::joinPath(root, "C/Vantrix"), "ESTACAO.INI") {}

    const char* name() const override { return "ini"; }
    void write(long n) override { platform::iniWrite(path_, writesOf(n)); }

protected:
    void prepare() override {
        platform::replaceFile(path_, kInstalled);
        write(0);
    }
    std::string content(long g) const override {
        return platform::iniApplyWrites(kInstalled, writesOf(g));
    }
};

}  // namespace

std::unique_ptr<FileKind> makeIniKeysKind(const std::string& root) {
    return std::make_unique<IniKeysKind>(root);
}

}  // namespace vtx::crash

// The station's checksummed data files on any content: a report file read by
// the report screens' loader (CarregaGrid), the manager passwords UP.Sxx and
// the permissions LT0001.Sxx read at a manager's login. The first input byte
// chooses the file; the rest is its content, written under the name its
// checksum gives (or, when the byte says so, under a wrong one) in a station
// of the fuzzer's own. Whatever the content, the readers answer without
// reading out of bounds, and a loaded report's grid stays within its limits.
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzInput.h"
#include "core/ClientSession.h"
#include "core/GridModel.h"
#include "core/ManagerPasswords.h"
#include "core/ManagerPermissions.h"
#include "core/testing/ChecksummedName.h"
#include "messaging/CarregaGrid.h"

namespace {

using namespace vtx::client;

// Every box answered at once with its preselected button.
class QuietDialogs : public Dialogs {
public:
    MessageAnswer showMessage(const MessageRequest& request) override {
        return preselectedAnswer(request);
    }
    int showModal(ModalForm&) override { return 0; }
};

std::string root;

std::string folder() { return root + "/C/VANTRIX"; }

void writeFile(const std::string& name, std::string_view bytes) {
    std::ofstream(folder() + "/" + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    root = vtx::fuzz::scratchFolder("station");
    std::filesystem::create_directories(folder());
    setenv("VTX_ROOT", root.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t choice = data[0];
    const std::string_view content = vtx::fuzz::text(data + 1, size - 1);
    const char* prefixes[] = {"SSDEMO0001.S", "UP.S", "LT0001.S"};
    const int kind = (choice & 0x03) % 3;
    std::string name = vtx::client::testing::checksummedName(prefixes[kind], content);
    if ((choice & 0x80) != 0) name.back() = name.back() == 'Z' ? 'Y' : 'Z';  // a wrong checksum
    writeFile(name, content);

    QuietDialogs dialogs;
    vtx::client::testing::UnreachableCommLibrary library;
    ClientSession session(dialogs, library);
    session.settings.PathServer = QStringLiteral("C:\\VANTRIX");
    session.settings.PathCore = QStringLiteral("C:\\VANTRIX");
    session.settings.TipoLog = QStringLiteral("M");
    session.settings.TipoEstab = 1 + (choice >> 2) % 3;

    if (kind == 0) {
        GridModel grid(1, 1);
        QString subtitle;
        QString path;
        const ReportLoad load = loadReportFile(QStringLiteral("SSDEMO0001.S??"), grid, subtitle,
                                               session.settings, session.reporter, path);
        vtx::fuzz::require(load != ReportLoad::Missing, "the file written is found");
        vtx::fuzz::require(grid.maxRows() <= GridModel::kMaxRows && grid.maxCols() <= GridModel::kMaxCols,
                           "the grid stays within its limits");
    } else if (kind == 1) {
        const char* levels[] = {"MNG1", "MNG3", "MNG5", "MNG9"};
        bool found = false;
        const QString password = ObtemSenha(session, QString::fromLatin1(levels[(choice >> 4) % 4]), found);
        vtx::fuzz::require(password.size() <= 6, "a password slot is six characters at most");
    } else if ((choice & 0x10) != 0) {
        (void)ObtemPermissao(session, QStringLiteral("STAFF"), QStringLiteral("SUPORTE"));
    } else {
        (void)ObtemPermissao(session, QStringLiteral("MNG2"), QString());
    }
    std::filesystem::remove(folder() + "/" + name);
    return 0;
}

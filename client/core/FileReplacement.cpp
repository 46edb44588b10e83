#include "core/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/DataFile.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr char kFileReplacementProcedure[] = "SobreEscreveArquivo";
constexpr char kIntentSuffix[] = "~replace";

// The run-time error the client reports for a failed write.
FileFault replaceFaultOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return {61, QStringLiteral("Disco cheio")};
        case EACCES:
        case EPERM:
        case EROFS:
            return {70, QStringLiteral("Permissão negada")};
        default:
            return {75, QStringLiteral("Erro de acesso a caminho/arquivo")};
    }
}

struct Location {
    std::string dir;   // native folder
    std::string name;  // file name as found on disk (or as given when missing)
};

Location locate(const QString& path) {
    std::string native = DataFile::nativePath(path);
    size_t slash = native.rfind('/');
    if (slash == std::string::npos) return {".", native};
    return {slash == 0 ? "/" : native.substr(0, slash), native.substr(slash + 1)};
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The old and the new name of a swap, flushed to disk before the swap starts.
constexpr platform::FileOptions kIntentFile{.mode = platform::kPrivateFileMode, .durable = true};
// The password file: the installation's user only, flushed before the old
// one goes.
constexpr platform::FileOptions kPasswordFile{.mode = platform::kPrivateFileMode, .durable = true};

std::string intentName(const std::string& prefix) {
    return "." + prefix + kIntentSuffix;
}

bool validChecksum(const std::string& path, const ErrorReporter& reporter) {
    QString check;
    return isRegularFile(path) &&
           Valida_Check_Sum_Arquivo(QString::fromStdString(path), check, reporter);
}

// Reads the intent file: the old name, then the new one, one a line.
bool readIntent(const std::string& path, std::string& oldName, std::string& newName) {
    std::string bytes;
    std::optional<FileFault> fault =
        DataFile::readChunks(QString::fromStdString(path), [&](std::string_view chunk) {
            bytes.append(chunk);
            return bytes.size() < 4096;
        });
    if (fault) return false;
    size_t first = bytes.find('\n');
    if (first == std::string::npos) return false;
    size_t second = bytes.find('\n', first + 1);
    if (second == std::string::npos) return false;
    oldName = bytes.substr(0, first);
    newName = bytes.substr(first + 1, second - first - 1);
    return !oldName.empty() && !newName.empty() && oldName.find('/') == std::string::npos &&
           newName.find('/') == std::string::npos;
}

void finishIn(const std::string& dir, const std::string& prefix, const ErrorReporter& reporter) {
    for (const std::string& name : platform::findFiles(dir, intentName(prefix))) {
        const std::string intent = platform::joinPath(dir, name);
        std::string oldName;
        std::string newName;
        // The new file is in place and whole only once the rename was made;
        // before it the old file is the station's copy and stays.
        if (readIntent(intent, oldName, newName) && oldName != newName &&
            validChecksum(platform::joinPath(dir, newName), reporter)) {
            ::unlink(platform::joinPath(dir, oldName).c_str());
            platform::syncDirectory(dir);
        }
        ::unlink(intent.c_str());
    }
    // Leftovers of a writer killed before its rename.
    platform::removeStaleTemporaries(dir, prefix + "??");
    platform::removeStaleTemporaries(dir, intentName(prefix));
}

}  // namespace

void finishInterruptedReplacement(const QString& folder, const QString& prefix,
                                  const ErrorReporter& reporter) {
    finishIn(platform::resolve(toFileSystemPath(folder)), toFileSystemPath(prefix), reporter);
}

bool SobreEscreveArquivo(const QString& path, const QString& text, const ErrorReporter& reporter) {
    const Location old = locate(path);
    if (old.name.size() < 2) return false;
    const std::string prefix = old.name.substr(0, old.name.size() - 2);
    finishIn(old.dir, prefix, reporter);

    qint32 sum = 0;
    qint32 weight = 1;
    SomaLinhaCheckSum(text, sum, weight);
    const std::string newName = prefix + checkValueOf(sum).toStdString();
    const std::string oldPath = platform::joinPath(old.dir, old.name);
    const std::string newPath = platform::joinPath(old.dir, newName);
    const std::string intent = platform::joinPath(old.dir, intentName(prefix));
    const bool swap = newName != old.name && isRegularFile(oldPath);

    auto fail = [&](int error) {
        if (swap) ::unlink(intent.c_str());
        FileFault fault = replaceFaultOf(error);
        reporter.TrataErro(QString::fromLatin1(kFileReplacementProcedure), fault.number, fault.description);
        return false;
    };

    if (swap) {
        const std::string names = old.name + "\n" + newName + "\n";
        if (int error = platform::replaceFile(intent, names, kIntentFile)) return fail(error);
    }
    if (int error = platform::replaceFile(newPath, toCp1252(text) + "\r\n", kPasswordFile))
        return fail(error);
    if (swap) {
        ::unlink(oldPath.c_str());
        platform::syncDirectory(old.dir);
        ::unlink(intent.c_str());
    }
    return true;
}

}  // namespace vtx::client

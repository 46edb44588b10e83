#include "core/FileReplacement.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "core/CheckSum.h"
#include "core/Cp1252Text.h"
#include "core/DataFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr char kProcedure[] = "SobreEscreveArquivo";
constexpr char kIntentSuffix[] = "~replace";
constexpr char kTempSuffix[] = ".tmp";

// The run-time error the client reports for a failed write.
FileFault faultOf(int error) {
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

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Creates or truncates `path` with `bytes`, flushed to disk. 0 or the errno.
int writeFlushed(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    int error = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
}

void syncDirectory(const std::string& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string intentName(const std::string& prefix) {
    return "." + prefix + kIntentSuffix;
}

// ".<new name>.<pid>.tmp": the process id tells a dead writer's leftover
// from a file being written.
std::string tempName(const std::string& newName) {
    return "." + newName + "." + std::to_string(::getpid()) + kTempSuffix;
}

bool processAlive(long pid) {
    if (pid <= 0 || pid == ::getpid()) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The decimal process id of a temporary name; 0 when it is not one.
long pidOf(std::string_view digits) {
    if (digits.empty() || digits.size() > 9) return 0;
    long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

void removeDeadTemporaries(const std::string& dir, const std::string& prefix) {
    for (const std::string& name : platform::findFiles(dir, "." + prefix + "??.*" + kTempSuffix)) {
        std::string_view rest(name);
        rest.remove_prefix(prefix.size() + 4);  // ".", the prefix, two characters, "."
        rest.remove_suffix(std::strlen(kTempSuffix));
        if (!processAlive(pidOf(rest))) ::unlink(platform::joinPath(dir, name).c_str());
    }
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
            syncDirectory(dir);
        }
        ::unlink(intent.c_str());
    }
    removeDeadTemporaries(dir, prefix);
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
    const std::string temp = platform::joinPath(old.dir, tempName(newName));
    const std::string intent = platform::joinPath(old.dir, intentName(prefix));
    const bool swap = newName != old.name && isRegularFile(oldPath);

    auto fail = [&](int error) {
        ::unlink(temp.c_str());
        if (swap) ::unlink(intent.c_str());
        FileFault fault = faultOf(error);
        reporter.TrataErro(QString::fromLatin1(kProcedure), fault.number, fault.description);
        return false;
    };

    if (int error = writeFlushed(temp, toCp1252(text) + "\r\n")) return fail(error);
    if (swap) {
        if (int error = writeFlushed(intent, old.name + "\n" + newName + "\n")) return fail(error);
        syncDirectory(old.dir);
    }
    if (::rename(temp.c_str(), newPath.c_str()) != 0) return fail(errno);
    syncDirectory(old.dir);
    if (swap) {
        ::unlink(oldPath.c_str());
        syncDirectory(old.dir);
        ::unlink(intent.c_str());
    }
    return true;
}

}  // namespace vtx::client

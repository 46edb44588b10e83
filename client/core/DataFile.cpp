#include "core/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/Cp1252Text.h"
#include "vtx/platform/Paths.h"

namespace vtx::client {
namespace {

constexpr size_t kChunkBytes = 64 * 1024;

FileFault faultOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return {53, QStringLiteral("Arquivo não encontrado")};
        case EACCES:
        case EPERM:
            return {70, QStringLiteral("Permissão negada")};
        case EIO:
            return {57, QStringLiteral("Erro de E/S de dispositivo")};
        default:
            return {75, QStringLiteral("Erro de acesso a caminho/arquivo")};
    }
}

}  // namespace

std::string DataFile::nativePath(const QString& path) {
    return vtx::platform::resolve(toFileSystemPath(path));
}

bool DataFile::exists(const QString& path) {
    struct stat st {};
    return ::stat(nativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<FileFault> DataFile::readChunks(
    const QString& path, const std::function<bool(std::string_view)>& onChunk) {
    int fd = ::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return faultOf(errno);
    std::string buffer(kChunkBytes, '\0');
    std::optional<FileFault> fault;
    for (;;) {
        ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            fault = faultOf(errno);
            break;
        }
        if (got == 0 || !onChunk(std::string_view(buffer.data(), static_cast<size_t>(got)))) break;
    }
    ::close(fd);
    return fault;
}

std::optional<FileFault> DataFile::readLines(const QString& path, size_t maxLineBytes,
                                             const std::function<bool(std::string_view)>& onLine) {
    std::string line;
    bool pending = false;  // bytes seen since the last terminator
    bool afterCr = false;  // the previous byte was a CR (an LF after it is part of it)
    bool stopped = false;
    std::optional<FileFault> fault = readChunks(path, [&](std::string_view chunk) {
        for (char c : chunk) {
            if (c == '\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                pending = false;
                if (!onLine(line)) {
                    stopped = true;
                    return false;
                }
                line.clear();
                continue;
            }
            pending = true;
            if (line.size() < maxLineBytes) line.push_back(c);
        }
        return true;
    });
    if (!fault && !stopped && pending) onLine(line);
    return fault;
}

}  // namespace vtx::client

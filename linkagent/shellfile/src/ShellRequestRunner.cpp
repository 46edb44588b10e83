#include "ShellRequestRunner.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "vtx/linkagent/shellfile/ShellRequest.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/ErrorText.h"
#include "vtx/platform/Paths.h"
#include "vtx/platform/SharedLibrary.h"
#include "vx32_cli.h"

namespace vtx::linkagent {
namespace {

using vtx::platform::joinPath;

using ServerFunction = int (*)(char* buffer, const char* op, const char* service);

// A request file larger than this cannot be a request: it is refused
// without being read to its end.
constexpr size_t kMostRequestFile = size_t{4} * 1024 * 1024;
constexpr int kNoServer = -163;
constexpr int kBadLength = -202;

enum class ReadResult { Ok, Unreadable, TooLarge };

ReadResult readFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadResult::Unreadable;
    std::vector<char> chunk(size_t{64} * 1024);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        text.append(chunk.data(), static_cast<size_t>(in.gcount()));
        if (text.size() > kMostRequestFile) return ReadResult::TooLarge;
    }
    return in.bad() ? ReadResult::Unreadable : ReadResult::Ok;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

}  // namespace

ShellFolders ShellRequestRunner::folders(const ShellFileSettings& settings) const {
    return {installDir_, shellInputFolder(installDir_, settings),
            shellOutputFolder(installDir_, settings)};
}

void ShellRequestRunner::run(const std::string& base) {
    if (newLogFile_) newLogFile_();  // the settings are read: a new log file
    const ShellFileSettings settings = readShellFileSettings(coreIni_);
    const ShellFolders where = folders(settings);
    const std::string thrPath = joinPath(where.input, base + ".thr");
    const std::string stsPath = joinPath(where.output, base + ".sts");
    removeFile(stsPath);

    std::string text;
    const ReadResult read = readFile(thrPath, text);
    if (read == ReadResult::Unreadable) {
        status_.show(StatusField::Message, "Erro abrindo Arquivo.");
        logger_.logf("Nem abriu Arquivo %s", thrPath.c_str());
        return;
    }
    ShellRequest request = parseShellRequest(text, settings.eofMarker);
    if (read == ReadResult::TooLarge) request.problem = ShellRequest::Problem::TooLong;
    if (!request.operatorCode.empty()) logger_.logf("Trace %s", request.operatorCode.c_str());
    if (request.cancel) {
        cancelAll(where, settings, thrPath);
        return;
    }
    // An earlier request's answer under this name goes before the request is
    // marked in work: beside a ".sts", a ".001" is taken for its answer.
    removeFile(joinPath(where.output, base + ".001"));
    if (::rename(thrPath.c_str(), stsPath.c_str()) != 0) {
        logger_.logf("Erro movendo Arquivo %s para %s: %s", thrPath.c_str(), stsPath.c_str(),
                     vtx::platform::errorText(errno).c_str());
        return;
    }
    vtx::platform::syncDirectory(where.output);

    std::string buffer;
    int result = 0;
    if (request.problem != ShellRequest::Problem::None) {
        // Refused before anything is sent, answered as a bad length.
        logger_.logf(request.problem == ShellRequest::Problem::ZeroByte
                         ? "Arquivo %s recusado: cont\xe9m byte nulo"
                         : "Arquivo %s recusado: mensagem maior que 3072 bytes",
                     base.c_str());
        result = kBadLength;
        buffer = failureBuffer(result);
        status_.show(StatusField::Message, "Enviando erro arquivo [" + std::to_string(result) + "].");
    } else {
        buffer = request.framed();
        status_.show(StatusField::Message, "Enviando mensagem arquivo.");
        logger_.logf("Trace %s", buffer.c_str());
        if (!exchange(settings, where, request.operatorCode, buffer, result)) return;
    }
    logger_.logf("String Recebida %s %02zu", buffer.c_str(), request.message.size());

    const std::string answer = buffer.size() > 4 ? buffer.substr(4) : std::string();
    logger_.logf("RECV %s", answer.c_str());
    if (deliver(where, base, answerText(answer, request.endMarker)))
        logger_.logf("Arquivo Devolvido..%s", base.c_str());
}

bool ShellRequestRunner::exchange(const ShellFileSettings& settings, const ShellFolders& where,
                                  const std::string& operatorCode, std::string& buffer,
                                  int& result) {
    std::string why;
    auto library = vtx::platform::SharedLibrary::load(settings.dllExec, where.installDir, &why);
    if (!library) {
        logger_.log("Erro na carga da DLL");
        return false;
    }
    auto function =
        reinterpret_cast<ServerFunction>(library->symbol(settings.functionExec.c_str()));
    if (!function) {
        logger_.log("Nao carregou DLL");
        return false;
    }
    const size_t length = buffer.size() - 4;
    logger_.logf("Tamanho do i antes do Envio %02zu, String Enviada %s", length, buffer.c_str());
    std::vector<char> io(VX_BUFFER_SIZE, '\0');
    std::memcpy(io.data(), buffer.data(), buffer.size());
    if (guard_.dialUpDown()) {
        result = kNoServer;
    } else {
        logger_.logf("Trace %s", operatorCode.c_str());
        ExchangeScope scope(guard_);
        result = function(io.data(), operatorCode.c_str(), "CHK");
    }
    io.back() = '\0';
    if (result < 0) {
        buffer = failureBuffer(result);
        status_.show(StatusField::Message, "Enviando erro arquivo [" + std::to_string(result) + "].");
    } else {
        buffer.assign(io.data());
    }
    return true;
}

bool ShellRequestRunner::deliver(const ShellFolders& where, const std::string& base,
                                 const std::string& text) {
    const std::string tmpPath = joinPath(where.output, base + ".tmp");
    const std::string answerPath = joinPath(where.output, base + ".001");
    // A ".tmp" left by a killed writer is never appended to.
    removeFile(tmpPath);
    const int fd = ::open(tmpPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          vtx::platform::kPrivateFileMode);
    int error = fd < 0 ? errno : vtx::platform::writeAll(fd, text);
    if (fd >= 0 && error == 0 && ::fdatasync(fd) != 0) error = errno;
    if (fd >= 0) ::close(fd);
    if (error == 0 && ::rename(tmpPath.c_str(), answerPath.c_str()) != 0) error = errno;
    if (error != 0) {
        removeFile(tmpPath);
        logger_.logf("Erro gravando resposta %s: %s", answerPath.c_str(),
                     vtx::platform::errorText(error).c_str());
        return false;
    }
    vtx::platform::syncDirectory(where.output);
    removeFile(joinPath(where.output, base + ".sts"));
    return true;
}

void ShellRequestRunner::answerInterrupted(const std::string& base, const ShellFolders& where) {
    logger_.logf("Arquivo %s interrompido sem resposta: respondido sem reenvio ao servidor",
                 base.c_str());
    const std::string answer = failureBuffer(kNoServer).substr(4);
    logger_.logf("RECV %s", answer.c_str());
    // The end marker, when the request had one, is still in the ".sts".
    std::string text;
    std::optional<std::string> marker;
    if (readFile(joinPath(where.output, base + ".sts"), text) == ReadResult::Ok)
        marker = parseShellRequest(text, readShellFileSettings(coreIni_).eofMarker).endMarker;
    if (deliver(where, base, answerText(answer, marker)))
        logger_.logf("Arquivo Devolvido..%s", base.c_str());
}

void ShellRequestRunner::cancelAll(const ShellFolders& where, const ShellFileSettings& settings,
                                   const std::string& thrPath) {
    removeFile(thrPath);
    const auto answers = vtx::platform::findFiles(where.output, "*." + settings.extension);
    if (answers.empty()) logger_.log("N\xe3o achou");
    for (const std::string& name : answers) removeFile(joinPath(where.output, name));
}

}  // namespace vtx::linkagent

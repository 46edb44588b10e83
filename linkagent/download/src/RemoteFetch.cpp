#include "RemoteFetch.h"

#include "TableReplacement.h"
#include "vtx/platform/Crc32.h"
#include "vtx/platform/Paths.h"

namespace vtx::linkagent::download {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kProgressEvery = std::chrono::seconds(1);

}  // namespace

RemoteFetch::Result RemoteFetch::fetch(const TableEntry& entry, bool archive) {
    auto files = session_.list(entry.remoteName);
    if (!files) return context_.ending.load() ? Result::Ending : Result::FtpError;
    if (files->empty()) {
        context_.logger.log("Arquivo [" + entry.remoteName + "] nao encontrado no servidor");
        return Result::NotFetched;
    }
    bool fetched = true;
    for (const platform::FtpEntry& file : *files) {
        switch (fetchOne(entry, file)) {
            case One::Stored:
                fetched = true;
                if (archive) {
                    session_.remove(file.name + ".OLD");
                    if (!session_.rename(file.name, file.name + ".OLD")) {
                        if (context_.ending.load()) return Result::Ending;
                        return Result::FtpError;
                    }
                }
                break;
            case One::Refused:
                return Result::NotFetched;
            case One::WriteFailed:
                fetched = false;
                break;
            case One::FtpError:
                return Result::FtpError;
            case One::Ending:
                return Result::Ending;
        }
    }
    return fetched ? Result::Fetched : Result::NotFetched;
}

RemoteFetch::One RemoteFetch::fetchOne(const TableEntry& entry, const platform::FtpEntry& file) {
    Logger& log = context_.logger;
    if (!safeFileName(file.name)) {
        log.log("Arquivo [" + file.name + "] do servidor recusado: nome invalido");
        return One::Refused;
    }
    const std::string shown = entry.subfolder.empty()
                                  ? context_.installDir + "\\" + file.name
                                  : context_.installDir + "\\" + entry.subfolder + "\\" + file.name;
    if (entry.size != 0 && entry.size != file.size) {
        log.logf("Tamanho incorreto aguardando [%lld] recebido [%lld]", entry.size, file.size);
        return One::Refused;
    }
    const std::string folder = entry.subfolder.empty()
                                   ? context_.nativeDir
                                   : platform::resolve(platform::joinPath(
                                         context_.nativeDir, platform::toNative(entry.subfolder)));
    TableReplacement replacement(platform::resolve(platform::joinPath(folder, file.name)));
    if (!replacement.open()) {
        log.log("Erro ao abrir o arquivo de destino [" + shown + "]");
        return One::WriteFailed;
    }
    context_.status.show(StatusField::Ftp, "Recebendo [" + file.name + "] " +
                                               std::to_string(file.size) + " bytes");
    auto nextProgress = Clock::now() + kProgressEvery;
    bool writeFailed = false;
    const auto result = session_.fetch(file.name, [&](std::string_view piece) {
        if (!replacement.write(piece)) {
            writeFailed = true;
            return false;
        }
        if (Clock::now() >= nextProgress) {
            nextProgress = Clock::now() + kProgressEvery;
            context_.status.show(StatusField::Ftp, "Recebendo [" + file.name + "] " +
                                                       std::to_string(replacement.bytes()) +
                                                       " de " + std::to_string(file.size) +
                                                       " bytes");
        }
        return true;
    });
    if (result != platform::FtpSession::Fetch::Ok) {
        replacement.abandon();
        if (writeFailed) {
            log.log("Erro ao abrir o arquivo de destino [" + shown + "]");
            return One::WriteFailed;
        }
        if (context_.ending.load()) return One::Ending;
        log.log("Arquivo [" + file.name + "] recusado pelo servidor; copia local mantida");
        return One::FtpError;
    }
    if (entry.size != 0 && entry.size != replacement.bytes()) {
        log.logf("Tamanho incorreto aguardando [%lld] recebido [%lld]", entry.size,
                 replacement.bytes());
        return One::Refused;
    }
    const std::string crc = platform::crcText(replacement.crc());
    if (!entry.crc.empty() && entry.crc != crc) {
        log.log("CRC Incorreto aguardando [" + entry.crc + "] recebido [" + crc + "]");
        return One::Refused;
    }
    if (!replacement.commit()) {
        log.log("Erro ao abrir o arquivo de destino [" + shown + "]");
        return One::WriteFailed;
    }
    context_.status.show(StatusField::Ftp, "Recebido [" + file.name + "] " +
                                               std::to_string(replacement.bytes()) + " bytes CRC " +
                                               crc + (entry.crc.empty() ? "" : " conferido"));
    log.log("Arquivo [" + shown + "] gravado com sucesso.");
    return One::Stored;
}

}  // namespace vtx::linkagent::download

// Fetching one remote name of the table download: every server file that
// matches it is checked by size before the transfer, received into a
// TableReplacement while its CRC is computed, checked by CRC, swapped in
// (the previous version kept as NAME.OLD) and, when asked, archived on the
// server (NAME.OLD deleted there, NAME renamed to it). A size or CRC
// mismatch, a refused transfer or a file that cannot be written leaves the
// local file and the server's file as they were.
//
// Status (field Ftp): "Recebendo [NAME]" per file and its byte count at most
// once a second. Log: the checks, the outcome of each file.
//
// Thread-safety: one object per download thread.
#pragma once

#include <atomic>
#include <chrono>
#include <string>

#include "TableList.h"
#include "vtx/linkagent/AgentServices.h"
#include "vtx/platform/FtpSession.h"

namespace vtx::linkagent::download {

struct FetchContext {
    Logger& logger;
    StatusBoard& status;
    std::string installDir;      // as configured ("C:\Vantrix"): the texts of the log
    std::string nativeDir;       // resolved
    const std::atomic<bool>& ending;
};

class RemoteFetch {
public:
    enum class Result { Fetched, NotFetched, FtpError, Ending };

    RemoteFetch(const FetchContext& context, platform::FtpSession& session)
        : context_(context), session_(session) {}

    Result fetch(const TableEntry& entry, bool archive);

private:
    enum class One { Stored, Refused, WriteFailed, FtpError, Ending };
    One fetchOne(const TableEntry& entry, const platform::FtpEntry& file);

    const FetchContext& context_;
    platform::FtpSession& session_;
};

}  // namespace vtx::linkagent::download

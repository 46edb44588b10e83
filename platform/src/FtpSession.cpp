#include "vtx/platform/FtpSession.h"

#include <curl/curl.h>

#include <mutex>

#include "vtx/platform/Paths.h"

namespace vtx::platform {
namespace {

CURL* handle(void* p) { return static_cast<CURL*>(p); }

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t appendText(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

struct SinkCall {
    const FtpSession::Sink* sink;
    bool refused = false;
};

size_t toSink(char* data, size_t size, size_t count, void* user) {
    auto* call = static_cast<SinkCall*>(user);
    if (!(*call->sink)(std::string_view(data, size * count))) {
        call->refused = true;
        return 0;
    }
    return size * count;
}

// What a call without a sink receives (the size lines of SIZE) goes nowhere.
size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancelled = static_cast<const std::atomic<bool>*>(user);
    return cancelled != nullptr && cancelled->load() ? 1 : 0;
}

// A name as it travels in the path of an FTP address.
std::string escaped(CURL* curl, const std::string& name) {
    char* e = curl_easy_escape(curl, name.c_str(), static_cast<int>(name.size()));
    std::string text = e != nullptr ? e : "";
    curl_free(e);
    return text;
}

}  // namespace

FtpSession::FtpSession(FtpConnectSettings settings) : settings_(std::move(settings)) {
    initialiseOnce();
    curl_ = curl_easy_init();
}

FtpSession::~FtpSession() {
    if (curl_ != nullptr) curl_easy_cleanup(handle(curl_));
}

void FtpSession::disconnect() {
    if (curl_ != nullptr) curl_easy_cleanup(handle(curl_));
    curl_ = curl_easy_init();
}

std::string FtpSession::url(const std::string& path) const {
    const int port = settings_.port > 0 ? settings_.port : 21;
    return "ftp://" + settings_.host + ":" + std::to_string(port) + "/" + path;
}

void FtpSession::reset(const std::string& path) {
    CURL* c = handle(curl_);
    // Options go back to their defaults; the connection stays in the cache.
    curl_easy_reset(c);
    curl_easy_setopt(c, CURLOPT_URL, url(path).c_str());
    curl_easy_setopt(c, CURLOPT_USERNAME, settings_.user.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, settings_.password.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings_.connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>((settings_.responseTimeout.count() + 999) / 1000));
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, static_cast<long>(settings_.responseTimeout.count()));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, settings_.lowSpeedBytes);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(settings_.lowSpeedTime.count()));
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    if (settings_.passive) {
        curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);
    } else {
        curl_easy_setopt(c, CURLOPT_FTPPORT, "-");
        curl_easy_setopt(c, CURLOPT_FTP_USE_EPRT, 0L);
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, settings_.cancelled);
}

bool FtpSession::perform() {
    if (curl_ == nullptr) {
        error_ = "no FTP session";
        return false;
    }
    char buffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle(curl_), CURLOPT_ERRORBUFFER, buffer);
    const CURLcode code = curl_easy_perform(handle(curl_));
    curl_easy_setopt(handle(curl_), CURLOPT_ERRORBUFFER, nullptr);
    if (code == CURLE_OK) return true;
    error_ = buffer[0] != '\0' ? buffer : curl_easy_strerror(code);
    return false;
}

std::optional<std::vector<FtpEntry>> FtpSession::list(std::string_view pattern) {
    if (curl_ == nullptr) return std::nullopt;
    std::string names;
    reset("");
    curl_easy_setopt(handle(curl_), CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEFUNCTION, appendText);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEDATA, &names);
    if (!perform()) return std::nullopt;
    std::vector<FtpEntry> entries;
    size_t start = 0;
    while (start < names.size()) {
        size_t end = names.find('\n', start);
        if (end == std::string::npos) end = names.size();
        std::string name = names.substr(start, end - start);
        start = end + 1;
        if (!name.empty() && name.back() == '\r') name.pop_back();
        if (name.empty() || !wildcardMatch(pattern, name)) continue;
        // The size: SIZE in binary mode, on the same control connection.
        reset(escaped(handle(curl_), name));
        curl_easy_setopt(handle(curl_), CURLOPT_NOBODY, 1L);
        if (!perform()) return std::nullopt;
        curl_off_t size = -1;
        curl_easy_getinfo(handle(curl_), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
        if (size >= 0) entries.push_back({name, static_cast<long long>(size)});
    }
    return entries;
}

namespace {
constexpr long kFetchPiece = 256L * 1024;
}  // namespace

FtpSession::Fetch FtpSession::fetch(const std::string& name, const Sink& sink) {
    if (curl_ == nullptr) return Fetch::Failed;
    SinkCall call{&sink};
    reset(escaped(handle(curl_), name));
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEFUNCTION, toSink);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEDATA, &call);
    // Larger pieces: fewer calls into the sink (file write and CRC) per
    // megabyte; the memory stays a fixed 256 kB whatever the file's size.
    curl_easy_setopt(handle(curl_), CURLOPT_BUFFERSIZE, kFetchPiece);
    const bool done = perform();
    curl_easy_setopt(handle(curl_), CURLOPT_BUFFERSIZE, static_cast<long>(CURL_MAX_WRITE_SIZE));
    if (done) return Fetch::Ok;
    return call.refused ? Fetch::SinkRefused : Fetch::Failed;
}

bool FtpSession::quote(const std::vector<std::string>& commands) {
    if (curl_ == nullptr) return false;
    reset("");
    curl_slist* list = nullptr;
    for (const std::string& command : commands) list = curl_slist_append(list, command.c_str());
    curl_easy_setopt(handle(curl_), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle(curl_), CURLOPT_QUOTE, list);
    const bool ok = perform();
    curl_easy_setopt(handle(curl_), CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(list);
    return ok;
}

bool FtpSession::remove(const std::string& name) { return quote({"DELE " + name}); }

bool FtpSession::rename(const std::string& from, const std::string& to) {
    return quote({"RNFR " + from, "RNTO " + to});
}

}  // namespace vtx::platform

#include "LogonRule.h"

#include "FieldText.h"
#include "IsoMessage.h"

namespace vtx::hostsim {
namespace {

constexpr const char* kLogonType = "0800";
constexpr const char* kLogonProc = "388000";
constexpr const char* kNetworkInfo = "003";  // bit 40
constexpr size_t kAskSize = 26;              // bit 48: batch 10, version 6, continuation 10

// Bit 48 of a logon request as the host reads it.
struct LogonAsk {
    bool readable = false;
    std::string batch;
    std::string version;
    long continuation = 0;
};

// nullopt when `text` is no logon request; a LogonAsk that is not readable
// when it is one whose bit 48 cannot be read.
std::optional<LogonAsk> readAsk(std::string_view text) {
    if (!IsoMessage::looksLikeIso(text) || text.substr(0, 4) != kLogonType) return std::nullopt;
    std::string error;
    std::optional<IsoMessage> message = IsoMessage::parse(text, error);
    if (!message || message->bit(3) != kLogonProc) return std::nullopt;
    LogonAsk ask;
    std::optional<std::string_view> field = message->bit(48);
    if (!field || field->size() != kAskSize) return ask;
    std::optional<long> continuation = digitsValue(field->substr(16, 10));
    if (!continuation || field->substr(16, 10).find(' ') != std::string_view::npos) return ask;
    ask.readable = true;
    ask.batch = std::string(field->substr(0, 10));
    ask.version = std::string(field->substr(10, 6));
    ask.continuation = *continuation;
    return ask;
}

// An 0810 with bits 3, 39 and 40 only: how the host refuses a logon step.
std::string refusal(const std::string& status) {
    IsoMessage answer("0810");
    answer.set(3, kLogonProc);
    answer.set(39, status);
    answer.set(40, kNetworkInfo);
    return answer.serialize();
}

// An 0810 with response code 00: a piece of a table (bits 62 and 63), or
// without a piece the closing answer (an empty bit 62, no bit 63).
std::string accepted(const std::string& bit48, const TablePiece* piece) {
    IsoMessage answer("0810");
    answer.set(3, kLogonProc);
    answer.set(39, "00");
    answer.set(40, kNetworkInfo);
    answer.set(48, bit48);
    answer.set(62, piece != nullptr ? piece->fileName : "");
    if (piece != nullptr) answer.set(63, piece->data);
    return answer.serialize();
}

}  // namespace

void LogonRule::note(std::string_view tag, const std::string& text) const {
    if (sink_) sink_(tag, text);
}

std::optional<std::string> LogonRule::silence(const FieldMessage& request) const {
    std::optional<LogonAsk> ask = readAsk(request.text());
    if (!ask || !ask->readable || tables_.fault != LogonFault::kFail ||
        ask->continuation + 1 != tables_.faultAt)
        return std::nullopt;
    return "logon fail: operator=" + op_ + " answer " + std::to_string(tables_.faultAt) +
           " not sent, connection closed";
}

std::optional<std::string> LogonRule::answer(const FieldMessage& request, NsuCounter&) const {
    std::optional<LogonAsk> ask = readAsk(request.text());
    if (!ask) return std::nullopt;
    if (!ask->readable) {
        note("LOGON", "operator=" + op_ + " bit 48 unreadable, answered 30");
        return refusal("30");
    }
    const long number = ask->continuation + 1;
    if (tables_.fault == LogonFault::kInvalid && number == tables_.faultAt) {
        note("FAULT", "logon invalid: operator=" + op_ + " answer " + std::to_string(number) +
                          " answered 96");
        return refusal("96");
    }
    const auto total = static_cast<long>(tables_.pieces.size());
    const bool current = ask->batch == tables_.batch && ask->version == tables_.version;
    const std::string held = tables_.batch + tables_.version;
    if ((ask->continuation == 0 && current) || ask->continuation >= total) {
        note("LOGON", "operator=" + op_ + " answer " + std::to_string(number) +
                          " end batch=" + tables_.batch + " version=" + tables_.version +
                          (ask->continuation == 0 ? " nothing newer" : ""));
        return accepted(held + zeroFill(0, 10), nullptr);
    }
    const TablePiece& piece = tables_.pieces[static_cast<size_t>(ask->continuation)];
    note("LOGON", "operator=" + op_ + " answer " + std::to_string(number) + "/" +
                      std::to_string(total) + " file=" + piece.fileName +
                      " records=" + std::to_string(piece.records));
    return accepted(held + zeroFill(number, 10), &piece);
}

}  // namespace vtx::hostsim

#include "TransactionReplyRule.h"

#include "FieldText.h"
#include "IsoAnswerWriter.h"
#include "IsoMessage.h"
#include "IsoRequestReader.h"
#include "TextAnswerWriter.h"
#include "TextRequestReader.h"

namespace vtx::hostsim {

std::optional<std::string> TransactionReplyRule::answer(const FieldMessage& request,
                                                        NsuCounter& nsu) const {
    if (IsoMessage::looksLikeIso(request.text())) return answerIso(request.text(), nsu);
    HostRequest parsed = readTextRequest(request);
    parsed.administrator = administrator_;
    std::optional<HostAnswer> answer = desk_.answer(parsed, nsu);
    if (!answer) return std::nullopt;
    report(*answer);
    return writeTextAnswer(parsed, *answer);
}

std::string TransactionReplyRule::answerIso(std::string_view text, NsuCounter& nsu) const {
    std::string error;
    std::optional<IsoMessage> message = IsoMessage::parse(text, error);
    std::optional<HostRequest> parsed;
    if (message) parsed = readIsoRequest(*message, error);
    if (parsed) parsed->administrator = administrator_;
    if (!parsed) {
        HostRequest unread;
        unread.iso = true;
        unread.type = std::string(text.substr(0, 4));
        if (message) unread.proc = std::string(message->bit(3).value_or(""));
        HostAnswer answer = HostAnswer::unreadable(error);
        answer.formatError = true;
        return writeIsoAnswer(unread, answer);
    }
    std::optional<HostAnswer> answer = desk_.answer(*parsed, nsu);
    if (!answer) {
        answer.emplace();
        answer->status = defaultStatus_;
        answer->nsu = digitsValue(nsu.next());
    }
    report(*answer);
    return writeIsoAnswer(*parsed, *answer);
}

void TransactionReplyRule::report(const HostAnswer& answer) const {
    if (!sink_) return;
    for (const std::string& line : answer.stateLines) sink_(line);
}

}  // namespace vtx::hostsim

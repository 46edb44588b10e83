// LinkAgent's terminal frame on any bytes, in every framing: a length field
// is read only from its own bytes, and the reply to a route carries a length
// that reads back as what follows it.
#include "FuzzInput.h"
#include "vtx/linkagent/TerminalFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::linkagent;
    if (size < 1) return 0;
    const std::string_view bytes = vtx::fuzz::text(data + 1, size - 1);
    TerminalFraming framing;
    framing.dataType = (data[0] & 1) ? DataType::Binary : DataType::Numeric;
    framing.lenSize = 1 + (data[0] >> 1) % kMaxLenSize;
    const size_t field = lengthFieldSize(framing);
    (void)parseLengthField(framing, bytes.substr(0, field));
    (void)isLogonRequest(bytes);
    if (bytes.size() >= kRouteSize) {
        const auto reply = replyFrame(framing, bytes.substr(0, kRouteSize), bytes.substr(kRouteSize));
        if (reply) {
            const auto count = parseLengthField(framing, std::string_view(*reply).substr(0, field));
            vtx::fuzz::require(count && *count + field <= reply->size(), "a reply's length reads back");
        }
    }
    return 0;
}

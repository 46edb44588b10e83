// A request file of the folder interface read into the field message it
// asks for, and an answer buffer written back as the answer file's text.
//
// Request file: text lines (ending in CR LF, LF or CR alone), each trimmed
// of blanks on both sides and taken whole whatever its length:
//   a line holding "040-000"   its value after "=" is the operator code;
//   "000-000=EXI"              cancels (nothing is sent);
//   the end marker             a line whose first 7 characters are the
//                              `EOF` setting: not sent, copied to the end
//                              of the answer;
//   any other line with "=" after its first character is one field of the
//   message, which is the fields each followed by ";".
// A message longer than a request buffer takes, or a file holding a zero
// byte, is refused before anything is sent (answered 009-000 = 202).
//
// Answer text: one line per field of the answer (the buffer after its
// four-digit length, fields separated by ";", empty ones skipped), each
// ended by CR LF; a field whose eighth character is not a blank is written
// as its first 7 characters, " = " and the rest after its eighth character;
// the end marker last. Every field is taken, however short. A card number
// or track the host sends back is written masked, line by line, as the
// station's traces show it (first 6 and last 4 digits; product codes stay).
//
// Thread-safety: pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vtx::linkagent {

// The longest field message a request may carry (its four-digit length
// comes in front of it in the library's buffer).
inline constexpr size_t kMostShellMessage = 3072;

struct ShellRequest {
    enum class Problem { None, TooLong, ZeroByte };
    std::string message;                   // "f1;f2;" (without the length)
    std::string operatorCode;              // value of the "040-000" line
    bool cancel = false;                   // "000-000=EXI"
    std::optional<std::string> endMarker;  // the marker line, trimmed
    Problem problem = Problem::None;

    // "%04d%s": the message as the library takes it.
    std::string framed() const;
};

ShellRequest parseShellRequest(std::string_view text, std::string_view eofMarker);

// One answer field as its line is written (without the line end).
std::string answerLine(std::string_view field);

// The answer file's text for `answer` (the buffer after its length).
std::string answerText(std::string_view answer, const std::optional<std::string>& endMarker);

// The buffer that answers a failed exchange: "0013009-000 = %03d;" with
// the code's absolute value.
std::string failureBuffer(int result);

}  // namespace vtx::linkagent

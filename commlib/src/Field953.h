// The card number field rule applied to every outgoing request: where field
// 953 (card number or track) holds a ";" that the numbered-field syntax would
// take for the field's end, that byte becomes 0xE7, the track separator the
// PIN pad adapter also uses.
//
// The conditions are kept exactly as the hosts have always received them:
// with the request buffer b (length digits included), P the offset of the
// first "953-", S the distance from there to the next ";", E the offset of the
// first "=" after P, and D the offset of the first "-0" at or after offset S,
// the byte at P + S is replaced when E - S >= 0, S <= E - S and D >= E.
//
// Thread-safety: pure function over the caller's buffer.
#pragma once

#include <cstddef>

namespace vtx::cli {

// Applies the rule to the first `len` bytes of `buffer`.
void applyField953Rule(char* buffer, size_t len);

}  // namespace vtx::cli

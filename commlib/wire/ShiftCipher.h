// The shift cipher of the wire and of the route file records.
//
// Enciphering replaces each byte b by (b - key) mod 256, deciphering by
// (b + key) mod 256. Frames use the last three digits of the selected port as
// the key; route file records use key 71. Grammar: doc/wire-frames.md.
//
// Thread-safety: pure functions.
#pragma once

#include <cstddef>
#include <string_view>

namespace vtx::wire {

inline constexpr int kRouteFileKey = 71;

void shiftEncipher(char* data, size_t len, int key);
void shiftDecipher(char* data, size_t len, int key);

// The frame key for a port: the number formed by the last three digits of the
// port written "%04d" (port 5000 gives 0, 5123 gives 123, 12345 gives 345).
int shiftKeyForPort(int port);

// The 4-character key text the connection profile keeps ("%04d" of the port,
// digits 1-3) — "123" for port 5123.
void shiftKeyText(int port, char out[5]);

}  // namespace vtx::wire

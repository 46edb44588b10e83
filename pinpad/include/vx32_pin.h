/* libVX32_PIN.so: the PIN pad behind two functions. The vendor's PIN pad
 * library is named in CORE.INI [PINPAD] DLLPIN and driven through the driver
 * that DLLTYPE selects (0, 1, other); see doc/pinpad.md.
 *
 * Texts are single-byte Windows-1252 strings. Buffers are owned by the
 * caller and never kept after a call returns.
 *
 * Thread-safety: both functions may be called from any thread. The station
 * has one PIN pad, so the library serves one call at a time: a call waits
 * while another is in progress, and a card read lasts until the card is
 * swiped, the vendor's time-out runs out (at most about 65 s) or the read is
 * aborted. Abort it from any thread or process of the station by setting the
 * named event VX32_PIN (`vtx pinpad abort`); that needs no call into this
 * library. No exception leaves the library: a failure inside it (no memory,
 * for one) is the result -1. */
#ifndef VX32_PIN_H
#define VX32_PIN_H

#include <stdint.h>

#if defined(VX32_PIN_BUILD)
#define VX32_PIN_API __attribute__((visibility("default")))
#else
#define VX32_PIN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Room a GetTrack buffer needs: two tracks of at most 99 characters, the
 * separator, the final ':' and the terminator. The client passes 400. */
#define VX_PIN_TRACK_BUFFER 203

/* Reads a card: `buffer` receives "<track 1>\xE7<track 2>:" (the separator
 * is "ç" in Windows-1252) when the result is 0 or more. `unused` is
 * ignored. Results: 0 success; -1 the vendor library or an entry point is
 * missing; the vendor's statuses, those above 200 as status - 65536 (a
 * card-reading failure always as status - 65536). */
VX32_PIN_API int32_t GetTrack(char* buffer, const char* unused);

/* Reads a password typed on the PIN pad (up to 6 characters) into `buffer`
 * (at least 7 bytes) with the driver of the latest GetTrack; the result of
 * the read. Without an earlier GetTrack: -1. */
VX32_PIN_API int32_t GetPassword(char* buffer, const char* unused);

#ifdef __cplusplus
}
#endif

#endif

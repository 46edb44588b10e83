// What the simulated PIN pad does, as its script file says (PPSIM.INI in the
// Windows directory, read at every call; doc/pinpad.md):
//   [Card]   Track1, Track2        the tracks a card read returns
//            InsertAfterMs         the card arrives this long after the read starts (0)
//            Status                status of the card read (0)
//            BusyAnswers           busy answers before each Pin-family step ends (0)
//            AbortStatus           status of a read aborted by the station (65532)
//   [Status] <entry point>=<n>     the status that entry point answers (0)
//   [Text]   Typed                 what PP_iGetString reads ("1234")
//            Pin                   the PIN block PP_iGetPIN / ObtemSenhaPin give
//   [Record] File                  the call record (default PPSIM.LOG, Windows directory)
//
// Thread-safety: read on the caller's thread; the simulator is single-device.
#pragma once

#include <cstdint>
#include <string>

namespace vtx::pinpadsim {

struct SimScript {
    std::string track1 = "6012345678901234=28121010000000000000";
    std::string track2;
    int insertAfterMs = 0;
    uint16_t cardStatus = 0;
    int busyAnswers = 0;
    uint16_t abortStatus = 65532;
    std::string typed = "1234";
    std::string pin = "0123456789ABCDEF";
    std::string recordFile;

    // The status configured for `entry` (0 when not named).
    uint16_t statusOf(const char* entry) const;

    static SimScript load();
};

}  // namespace vtx::pinpadsim

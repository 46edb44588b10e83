// Test fixture: a station in a private VTX_ROOT whose CORE.INI [PINPAD]
// names the simulated PIN pad (libppsim.so), with its script PPSIM.INI and
// its call record PPSIM.LOG in the Windows directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestRoot.h"

namespace vtx::pinpad::test {

class PinPadStation : public ::testing::Test {
protected:
    PinPadStation();

    // CORE.INI [PINPAD]: DLLTYPE, PINPORT, PINPAD; DLLPIN the simulator.
    void configure(const std::string& type, const std::string& port = "1",
                   const std::string& pinpadSection = "PINPAD01");
    void setPinPad(const std::string& key, const std::string& value);
    // PPSIM.INI, the simulator's script (whole file).
    void script(const std::string& text);

    // The simulator's calls so far, one per line, busy answers included.
    std::vector<std::string> calls() const;

    // GetTrack with a 400-byte buffer as the client passes it.
    struct Read {
        int result = 0;
        std::string track;  // the buffer up to its terminator
    };
    Read getTrack();

    vtx::test::TempRoot root;
};

}  // namespace vtx::pinpad::test

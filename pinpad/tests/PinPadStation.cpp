#include "PinPadStation.h"

#include <sstream>

#include "vtx/platform/IniFile.h"
#include "vx32_pin.h"

namespace vtx::pinpad::test {

PinPadStation::PinPadStation() {
    root.writeFile("C/Windows/WINVTXCORE.INI", "[CORE]\r\nPath Core=C:\\Vantrix\r\n");
    root.writeFile("C/Vantrix/CORE.INI", "[Config]\r\nACESS_TYPE=0\r\n");
}

void PinPadStation::configure(const std::string& type, const std::string& port,
                              const std::string& pinpadSection) {
    setPinPad("DLLTYPE", type);
    setPinPad("DLLPIN", std::string(VTX_BIN_DIR) + "/libppsim.so");
    setPinPad("PINPORT", port);
    setPinPad("PINPAD", pinpadSection);
}

void PinPadStation::setPinPad(const std::string& key, const std::string& value) {
    ASSERT_TRUE(platform::iniWriteString("C:\\Vantrix\\CORE.INI", "PINPAD", key, value));
}

void PinPadStation::script(const std::string& text) { root.writeFile("C/Windows/PPSIM.INI", text); }

std::vector<std::string> PinPadStation::calls() const {
    std::vector<std::string> lines;
    std::istringstream in(root.readFile("C/Windows/PPSIM.LOG").value_or(""));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

PinPadStation::Read PinPadStation::getTrack() {
    std::string buffer(400, ' ');
    buffer.back() = '\0';
    Read read;
    read.result = GetTrack(buffer.data(), "");
    read.track = buffer.c_str();
    return read;
}

}  // namespace vtx::pinpad::test

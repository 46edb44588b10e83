#include "SimScript.h"

#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"

namespace vtx::pinpadsim {
namespace {

constexpr const char* kScript = "PPSIM.INI";

uint16_t asStatus(long value) { return static_cast<uint16_t>(value & 0xFFFF); }

}  // namespace

uint16_t SimScript::statusOf(const char* entry) const {
    return asStatus(platform::iniGetInt(kScript, "Status", entry, 0));
}

SimScript SimScript::load() {
    using platform::iniGetInt;
    using platform::iniGetString;
    SimScript s;
    s.track1 = iniGetString(kScript, "Card", "Track1", s.track1);
    s.track2 = iniGetString(kScript, "Card", "Track2", s.track2);
    s.insertAfterMs = static_cast<int>(iniGetInt(kScript, "Card", "InsertAfterMs", 0));
    s.cardStatus = asStatus(iniGetInt(kScript, "Card", "Status", 0));
    s.busyAnswers = static_cast<int>(iniGetInt(kScript, "Card", "BusyAnswers", 0));
    s.abortStatus = asStatus(iniGetInt(kScript, "Card", "AbortStatus", s.abortStatus));
    s.typed = iniGetString(kScript, "Text", "Typed", s.typed);
    s.pin = iniGetString(kScript, "Text", "Pin", s.pin);
    s.recordFile = platform::resolve(
        platform::profilePath(iniGetString(kScript, "Record", "File", "PPSIM.LOG")));
    return s;
}

}  // namespace vtx::pinpadsim

// The INI reader on any bytes: parsing, the Windows-style readers, and a write
// applied in memory that must read back as written, with every other value
// unchanged.
#include "FuzzInput.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using vtx::platform::IniDocument;
    const std::string_view content = vtx::fuzz::text(data, size);
    const IniDocument doc = IniDocument::parse(content);
    for (const std::string& section : doc.sectionNames()) {
        (void)doc.getInt(section, "Port", 5002);
        (void)doc.getString(section, "Address", "", 39);
    }
    const std::string written = vtx::platform::iniApplyWrites(
        content, {{"FUZZ SECTION", "Fuzz Key", std::string("value=1")}});
    const IniDocument after = IniDocument::parse(written);
    vtx::fuzz::require(after.getString("fuzz section", "FUZZ KEY", "") == "value=1",
                       "a written key reads back");
    for (const auto& section : doc.sections()) {
        if (vtx::platform::equalsIgnoreCase(section.name, "FUZZ SECTION")) continue;
        for (const auto& entry : section.entries) {
            // The value a reader gets: the first section and key of the name.
            const auto before = doc.find(section.name, entry.key);
            if (!before) continue;
            vtx::fuzz::require(after.find(section.name, entry.key) == before,
                               "a write keeps every other key's value");
        }
    }
    return 0;
}

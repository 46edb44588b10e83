#include "vtx/installer/EstablishmentCaptions.h"

namespace vtx::install {

namespace {

// `text` cut or blank-padded to `width` columns ("%-*.*s").
std::string column(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

// The three establishment-type slots of a caption, each "A0000" and `lead`
// followed by `text` in `width` columns.
std::string threeSlots(std::string_view lead, std::string_view text, size_t width) {
    std::string slot = "A0000" + std::string(lead) + column(text, width);
    return slot + slot + slot;
}

}  // namespace

std::string establishmentNameCaption(std::string_view tradeName) {
    return threeSlots("", tradeName, 30);
}

std::string establishmentCodeCaption(std::string_view code) {
    return threeSlots("C\xF3" "digo:", code, 23);
}

}  // namespace vtx::install

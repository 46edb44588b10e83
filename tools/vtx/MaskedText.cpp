#include "MaskedText.h"

#include "CardMask.h"
#include "vtx/platform/Cp1252.h"

namespace vtx::tool {

std::string maskedText(const std::string& utf8) {
    return platform::cp1252ToUtf8(vtx::wire::maskCardData(platform::utf8ToCp1252(utf8)));
}

}  // namespace vtx::tool

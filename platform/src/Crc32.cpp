#include "vtx/platform/Crc32.h"

#include <array>

namespace vtx::platform {
namespace {

constexpr std::array<std::uint32_t, 256> makeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = makeTable();

constexpr std::array<std::uint32_t, 256> makeMpeg2Table() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i << 24;
        for (int k = 0; k < 8; ++k) c = (c & 0x80000000U) != 0 ? (c << 1) ^ 0x04C11DB7U : c << 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kMpeg2Table = makeMpeg2Table();

}  // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t previous) {
    std::uint32_t c = previous ^ 0xFFFFFFFFU;
    for (char ch : bytes)
        c = kTable[(c ^ static_cast<unsigned char>(ch)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

std::uint32_t crc32Mpeg2(std::string_view bytes, std::uint32_t previous) {
    std::uint32_t c = previous;
    for (char ch : bytes)
        c = (c << 8) ^ kMpeg2Table[((c >> 24) ^ static_cast<unsigned char>(ch)) & 0xFFU];
    return c;
}

std::string crcText(std::uint32_t crc) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kHex[crc & 0xFU];
        crc >>= 4;
    }
    return text;
}

}  // namespace vtx::platform

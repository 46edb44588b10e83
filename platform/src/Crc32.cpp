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

// Slicing by eight: table k gives the CRC of a byte followed by k zero
// bytes, so eight bytes are folded in with independent look-ups instead of
// one after the other (about four times the speed of one table).
using Mpeg2Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Mpeg2Tables makeMpeg2Tables() {
    Mpeg2Tables tables{};
    tables[0] = makeMpeg2Table();
    for (size_t k = 1; k < tables.size(); ++k)
        for (size_t i = 0; i < 256; ++i) {
            const std::uint32_t previous = tables[k - 1][i];
            tables[k][i] = (previous << 8) ^ tables[0][previous >> 24];
        }
    return tables;
}

constexpr Mpeg2Tables kMpeg2 = makeMpeg2Tables();

inline std::uint32_t byteAt(const unsigned char* p, size_t i) { return p[i]; }

}  // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t previous) {
    std::uint32_t c = previous ^ 0xFFFFFFFFU;
    for (char ch : bytes)
        c = kTable[(c ^ static_cast<unsigned char>(ch)) & 0xFFU] ^ (c >> 8);
    return c ^ 0xFFFFFFFFU;
}

std::uint32_t crc32Mpeg2(std::string_view bytes, std::uint32_t previous) {
    std::uint32_t c = previous;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t n = bytes.size();
    const auto& t = kMpeg2;
    for (; n >= 8; p += 8, n -= 8) {
        c ^= byteAt(p, 0) << 24 | byteAt(p, 1) << 16 | byteAt(p, 2) << 8 | byteAt(p, 3);
        c = t[7][c >> 24] ^ t[6][(c >> 16) & 0xFFU] ^ t[5][(c >> 8) & 0xFFU] ^ t[4][c & 0xFFU] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; n > 0; ++p, --n) c = (c << 8) ^ t[0][(c >> 24) ^ *p];
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

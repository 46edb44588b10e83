#include "LogText.h"

namespace vtx::hostsim {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendHex(std::string& out, unsigned char b) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0x0F]);
}

}  // namespace

std::string hexBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) appendHex(out, static_cast<unsigned char>(c));
    return out;
}

std::string printableText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b <= 0x7E && b != '\\') {
            out.push_back(c);
        } else {
            out += "\\x";
            appendHex(out, b);
        }
    }
    return out;
}

}  // namespace vtx::hostsim

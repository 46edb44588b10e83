// A stand-in for the external price system's library, for tests and the
// demo. Products come from an INI file: $VTX_PRICESIM_FILE when set, else
// PrxLib32.ini in the Windows directory of VTX_ROOT.
//
//   [LOGON]   Code=PcLx****        the logon code accepted (default: any)
//             Fail=1               every logon fails
//   [<store>] <product code>=description;price;promo;code;v1;v2;v3;assoc1,assoc2
//
// Thread-safety: one session at a time, as the interface says; the session
// flag is atomic so misuse is detected, not racy.
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "messaging/prxlib32.h"
#include "vtx/platform/IniFile.h"

namespace {

std::atomic<bool> loggedOn{false};

std::string dataFile() {
    const char* env = std::getenv("VTX_PRICESIM_FILE");
    return env && *env ? env : "PrxLib32.ini";
}

void put(char* dst, size_t width, const std::string& text) {
    std::memset(dst, ' ', width);
    std::memcpy(dst, text.data(), std::min(width, text.size()));
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, sep)) parts.push_back(part);
    return parts;
}

int lookUp(const char* store, const char* product, PrxProduto* out, unsigned char* v1,
           unsigned char* v2, unsigned char* v3, std::vector<std::string>* associated) {
    if (!loggedOn || !store || !product || !out) return 1;
    auto doc = vtx::platform::loadIni(dataFile());
    std::string code(product);
    while (!code.empty() && code.back() == ' ') code.pop_back();
    auto entry = doc->find(store, code);
    if (!entry) return 2;
    std::vector<std::string> f = split(*entry, ';');
    f.resize(8);
    put(out->descricao, sizeof out->descricao, f[0]);
    put(out->preco, sizeof out->preco, f[1]);
    put(out->precoPromocional, sizeof out->precoPromocional, f[2]);
    put(out->codigo, sizeof out->codigo, f[3]);
    if (v1) *v1 = static_cast<unsigned char>(std::atoi(f[4].c_str()));
    if (v2) *v2 = static_cast<unsigned char>(std::atoi(f[5].c_str()));
    if (v3) *v3 = static_cast<unsigned char>(std::atoi(f[6].c_str()));
    if (associated) *associated = split(f[7], ',');
    return 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int PrxLogon(const char* logonCode) {
    auto doc = vtx::platform::loadIni(dataFile());
    if (doc->getInt("LOGON", "Fail", 0) != 0 || !logonCode) return 1;
    std::string wanted = doc->getString("LOGON", "Code", "");
    if (!wanted.empty() && wanted != logonCode) return 1;
    loggedOn = true;
    return 0;
}

__attribute__((visibility("default"))) int PrxLeProdCategCompl(
    const char* store, const char* product, PrxProduto* out, unsigned char* value1,
    unsigned char* value2, unsigned char* value3) {
    return lookUp(store, product, out, value1, value2, value3, nullptr);
}

__attribute__((visibility("default"))) int PrxLeProdEAN(
    const char* store, const char* product, PrxProduto* out, unsigned char* value1,
    unsigned char* value2, unsigned char* value3, char* associated, int associatedSize) {
    std::vector<std::string> codes;
    int rc = lookUp(store, product, out, value1, value2, value3, &codes);
    if (rc == 0 && associated && associatedSize > 0) {
        std::memset(associated, ' ', static_cast<size_t>(associatedSize));
        size_t at = 0;
        for (const std::string& c : codes) {
            if (at + 13 > static_cast<size_t>(associatedSize)) break;
            put(associated + at, 13, c);
            at += 13;
        }
    }
    return rc;
}

__attribute__((visibility("default"))) int PrxLogoff(void) {
    loggedOn = false;
    return 0;
}

}  // extern "C"

#include "DesBlock.h"

// The low-level DES interface is deprecated in OpenSSL 3 but present and
// provider-free, unlike the EVP single-DES cipher which needs the legacy
// provider. The deprecation is silenced for this file only.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/des.h>

#include <cstring>

namespace vtx::wire {
namespace {

void crypt(const DesKey& key, uint8_t block[8], int direction) {
    DES_cblock raw;
    std::memcpy(raw, key.data(), 8);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&raw, &schedule);
    DES_cblock in, out;
    std::memcpy(in, block, 8);
    DES_ecb_encrypt(&in, &out, &schedule, direction);
    std::memcpy(block, out, 8);
}

}  // namespace

void desEncryptBlock(const DesKey& key, uint8_t block[8]) {
    crypt(key, block, DES_ENCRYPT);
}
void desDecryptBlock(const DesKey& key, uint8_t block[8]) {
    crypt(key, block, DES_DECRYPT);
}

}  // namespace vtx::wire

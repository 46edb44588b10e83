// The contract between the PIN pad adapter and a vendor's PIN pad library on
// this platform: the entry points the adapter looks up by name, their
// arguments, and the parameter block of PP_iGetCard (doc/pinpad.md). Every
// vendor library built for these stations, and the simulator, follows it.
//
// Statuses are 16-bit and unsigned: 0 success, 1 busy (the Pin family), any
// other value the vendor's. Texts are zero-terminated Windows-1252.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vtx::pinpad {

// --- The PP family (library type 1) ---------------------------------------

// The abort poll the library calls while it waits for a card: 1 abort, 0 go on.
using AbortPoll = int32_t (*)();

// The parameter block of PP_iGetCard. The addresses are pointer-sized on
// this platform; the fields keep their order, the block is packed
// (little-endian) and announces its real size in `size`.
#pragma pack(push, 1)
struct GetCardBlock {
    uint16_t size;       // sizeof(GetCardBlock)
    uint16_t reserved1;  // 0
    AbortPoll abortPoll;
    uint16_t reserved2;  // 0
    const char* key;     // "00000000"
    char* track1;        // output: the first track text
    char* track2;        // output: the second track text
    char* work1;
    char* work2;
    char* work3;
};
#pragma pack(pop)

static_assert(sizeof(void*) != 8 || sizeof(GetCardBlock) == 62,
              "the block layout is part of the vendor contract");

// Room the adapter gives each output text and work buffer of the block.
inline constexpr size_t kGetCardTextSize = 256;

// The parameter block of PP_iGetPIN: announces 30 bytes; the prompt follows.
#pragma pack(push, 1)
struct GetPinBlock {
    uint16_t size;       // 30
    const char* prompt;  // "Digite sua Senha"
    char* pinBlock;      // output, kGetCardTextSize bytes
};
#pragma pack(pop)

using PP_iOpenFn = uint16_t (*)();
using PP_iCloseFn = uint16_t (*)();
using PP_iDisplayFn = uint16_t (*)(const char* text);
using PP_iGetCardFn = uint16_t (*)(GetCardBlock* block);
using PP_iGetPINFn = uint16_t (*)(int16_t index, GetPinBlock* block);
// mode -1 cancels a pending entry (the other arguments 0); mode 1 reads up
// to `maxLength` characters typed under `prompt` into `buffer`.
using PP_iGetStringFn = uint16_t (*)(int16_t mode, const char* prompt, int16_t maxLength,
                                     int16_t minLength, int16_t echo, int16_t timeout,
                                     char* buffer);

// --- The Pin family (library type 0) --------------------------------------
// Each writes its status into *status and returns nothing.

using OpenPinFn = void (*)(int32_t port, int32_t pinPort, int32_t port2, uint16_t* status);
using ClosePinFn = void (*)(int32_t port, int32_t port2, uint16_t* status);
using EnviaMsgStringPinFn = void (*)(const char* text, int32_t port, const char* text2,
                                     int32_t timeoutMs, uint16_t* status);
using IniciaObtemTrilhaPinFn = void (*)(int32_t port, int32_t timeoutMs, uint16_t* status);
using ObtemTrilhaPinFn = void (*)(int32_t port, char* track1, char* track2, char* work1,
                                  char* work2, uint16_t* status);
using SelecionaMasterKeyPinFn = void (*)(int32_t port, int32_t keyIndex, uint16_t* status);
using IniciaObtemSenhaPinFn = void (*)(int32_t port, int32_t timeoutMs, uint16_t* status);
using ObtemSenhaPinFn = void (*)(int32_t port, char* pinBlock, uint16_t* status);

inline constexpr uint16_t kStatusOk = 0;
inline constexpr uint16_t kStatusBusy = 1;

}  // namespace vtx::pinpad

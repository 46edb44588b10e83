// DriverPinPad: the PIN pad as the adapter drives it, over one vendor
// library loaded for the duration of a read. The operations, in the order of
// the driver interface: Carrega (load), Descarrega (close and unload), the
// destructor, Abre (open), Fecha (close), LeCartao (read the card's tracks),
// LeSenha (read a PIN), CancelaEntrada (cancel an entry), LeTexto (read a
// typed text), Exibe (display a text).
//
// Every call into the vendor library looks its entry point up by name
// first; a missing entry point makes the operation answer -1 without
// calling anything. Results are the vendor's 16-bit statuses (as 0..65535),
// or negative values of the adapter.
//
// Thread-safety: one driver is used by one thread at a time; the cancel flag
// may be raised from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "vtx/platform/SharedLibrary.h"

namespace vtx::pinpad {

inline constexpr int kMissing = -1;  // no library, or no such entry point
inline constexpr int kReadCancelled = -4;  // a card read the station aborted
// The longest track text passed back (the work texts hold 100 characters).
inline constexpr size_t kTrackLength = 99;

class DriverPinPad {
public:
    explicit DriverPinPad(std::string coreIni) : coreIni_(std::move(coreIni)) {}

    // Reads the driver's keys and loads the library; 0, or -1 when it
    // cannot be loaded.
    virtual int Carrega() { return 0; }
    // Unloads the library (the drivers close the PIN pad first).
    virtual int Descarrega();
    virtual ~DriverPinPad();

    virtual int Abre() = 0;
    virtual int Fecha() = 0;
    // Reads a card into `track1` and `track2` (at most kTrackLength
    // characters each); `prompt` null shows the driver's own prompt.
    virtual int LeCartao(std::string& track1, std::string& track2, const char* prompt) = 0;
    virtual int LeSenha(std::string& pinBlock) = 0;
    virtual int CancelaEntrada() = 0;
    // Reads a text of `minLength` to `maxLength` characters typed on the PIN
    // pad into `buffer` (maxLength + 1 bytes).
    virtual int LeTexto(char* buffer, int minLength, int maxLength, const char* prompt) = 0;
    virtual int Exibe(const char* text) = 0;

    bool loaded() const { return library_ != nullptr; }
    void cancel() { cancel_ = true; }

protected:
    // Loads the library CORE.INI [PINPAD] DLLPIN names; 0 or -1.
    int loadLibrary();
    std::string setting(const char* key, size_t maxLength) const;

    // The entry point `name` as a function of type Fn, or null.
    template <typename Fn>
    Fn entry(const char* name) const {
        return library_ ? reinterpret_cast<Fn>(library_->symbol(name)) : nullptr;
    }

    // PP_iGetString(-1, 0, ...): cancels an entry waiting on the PIN pad.
    int cancelPendingEntry();
    // PP_iGetPIN with its parameter block: the PIN block typed under
    // "Digite sua Senha".
    int readPinBlock(std::string& pinBlock);

    // Keeps the vendor's status as the last one and answers it.
    int kept(uint16_t status) {
        status_ = status;
        return status;
    }

    const std::string coreIni_;
    std::unique_ptr<platform::SharedLibrary> library_;
    uint16_t status_ = 0;  // the last status the library returned
    std::atomic<bool> cancel_{false};
    int32_t port_ = 1;
};

// The texts a vendor wrote into an output buffer of `size` bytes, cut at its
// terminator (or the buffer's end) and to kTrackLength characters.
std::string trackText(const char* buffer, size_t size);

}  // namespace vtx::pinpad

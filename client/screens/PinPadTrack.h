// Reading a card on the PIN pad through the adapter library VX32_PIN.dll
// (`GetTrack`), as the card-reading window FormPinPad does.
//
// GetTrack(buffer, prompt) -> 32-bit status: 0 or more, the card was read and
// the buffer holds the track text ("track 1", "ç", "track 2", ":"); negative,
// the adapter's or the PIN pad's failure (-1 library or PIN pad not
// reachable, -4 read abandoned, -20 and below a failed card read).
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vtx::client {

// One card read: the status and the track text (up to the first NUL of the
// buffer, from Windows-1252).
struct TrackRead {
    int result = -1;
    QString track;
};

// nullopt when the library or its entry point cannot be reached.
using GetTrackFunction = std::function<std::optional<TrackRead>()>;

// The client's buffer: 400 characters, blank filled before the call.
inline constexpr int kTrackBufferSize = 400;

// GetTrack of the adapter library, bound by name at the first call (the
// platform loader looks in the program's folder, then `installDir`, then the
// system path) and kept loaded.
class LoadedPinPad {
public:
    explicit LoadedPinPad(QString installDir = {});
    ~LoadedPinPad();
    LoadedPinPad(const LoadedPinPad&) = delete;
    LoadedPinPad& operator=(const LoadedPinPad&) = delete;

    std::optional<TrackRead> getTrack();

    // A GetTrackFunction calling this object, which must outlive it.
    GetTrackFunction function() {
        return [this] { return getTrack(); };
    }

private:
    struct Binding;
    bool bind();
    QString installDir_;
    std::unique_ptr<Binding> binding_;
};

}  // namespace vtx::client

// A named, machine-wide manual-reset event: once set it stays set until
// reset, and any process of the same VTX_ROOT can set it by its name (for
// example to abort a pending PIN pad read).
//
// The event is one byte in $VTX_ROOT/run/<name>.event ("1" set, "0" or no
// file not set), so each root behaves as its own machine. Reading it costs
// one pread(), cheap enough for a device library that polls it.
//
// Thread-safety: any thread; set(), reset() and isSet() on one object or on
// objects of the same name in different processes.
#pragma once

#include <string>
#include <string_view>

namespace vtx::platform {

class NamedEvent {
public:
    // Opens the event, creating it (not set) when it does not exist yet.
    explicit NamedEvent(std::string_view name);
    ~NamedEvent();
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;

    // False when the event could not be opened or created; the other
    // members then do nothing (isSet() answers false).
    bool valid() const { return fd_ >= 0; }

    bool set();
    bool reset();
    bool isSet() const;

private:
    bool write(char state);

    std::string path_;
    int fd_ = -1;
};

}  // namespace vtx::platform

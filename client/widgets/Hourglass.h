// The busy pointer the screens show while a command runs. Not a stack: like
// the screen's pointer property it is either busy or normal, however often
// it is set.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

namespace vtx::client {

// Through QGuiApplication's override cursor, which the windowing system
// shows at once, also while the handler that set it blocks on a request.
void setHourglass(bool busy);
bool hourglassShown();

// The busy pointer while a request is out: shown for the life of the
// object, normal again when it ends (also when the request throws).
class BusyPointer {
public:
    BusyPointer() { setHourglass(true); }
    ~BusyPointer() { setHourglass(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace vtx::client

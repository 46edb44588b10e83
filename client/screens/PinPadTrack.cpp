#include "screens/PinPadTrack.h"

#include <cstring>
#include <vector>

#include "core/Cp1252Text.h"
#include "vtx/platform/SharedLibrary.h"

namespace vtx::client {
namespace {

using GetTrackFn = int (*)(char* buffer, const char* prompt);

}  // namespace

struct LoadedPinPad::Binding {
    std::unique_ptr<platform::SharedLibrary> library;
    GetTrackFn getTrack = nullptr;
};

LoadedPinPad::LoadedPinPad(QString installDir) : installDir_(std::move(installDir)) {}
LoadedPinPad::~LoadedPinPad() = default;

bool LoadedPinPad::bind() {
    if (binding_ && binding_->getTrack) return true;
    // A library that could not be loaded is looked for again at the next
    // read: the operator may have installed it in between.
    binding_ = std::make_unique<Binding>();
    binding_->library = platform::SharedLibrary::load("VX32_PIN.dll", installDir_.toStdString());
    if (!binding_->library) return false;
    binding_->getTrack = reinterpret_cast<GetTrackFn>(binding_->library->symbol("GetTrack"));
    return binding_->getTrack != nullptr;
}

std::optional<TrackRead> LoadedPinPad::getTrack() {
    if (!bind()) return std::nullopt;
    // 400 blanks, and a terminator of our own after them, so that reading the
    // text back can never run past the buffer whatever the adapter wrote.
    std::vector<char> buffer(kTrackBufferSize + 1, ' ');
    buffer[kTrackBufferSize] = '\0';
    const char prompt[] = "";
    TrackRead read;
    read.result = binding_->getTrack(buffer.data(), prompt);
    buffer[kTrackBufferSize] = '\0';
    read.track = fromCp1252(std::string_view(buffer.data(), std::strlen(buffer.data())));
    return read;
}

}  // namespace vtx::client

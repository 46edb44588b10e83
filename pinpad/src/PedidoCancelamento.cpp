#include "PedidoCancelamento.h"

#include <memory>
#include <mutex>

#include "vtx/platform/NamedEvent.h"

namespace vtx::pinpad {
namespace {

std::mutex eventMutex;
std::unique_ptr<platform::NamedEvent> event;  // guarded by eventMutex

}  // namespace

extern "C" int32_t PedidoCancelamento() {
    std::lock_guard lock(eventMutex);
    if (!event) event = std::make_unique<platform::NamedEvent>(kAbortEvent);
    return !event->valid() || event->isSet() ? 1 : 0;
}

void clearAbortRequest() {
    std::lock_guard lock(eventMutex);
    // Opened afresh for every read: the station's folders are looked up
    // again, as every other setting of the read is.
    event = std::make_unique<platform::NamedEvent>(kAbortEvent);
    event->reset();
}

}  // namespace vtx::pinpad

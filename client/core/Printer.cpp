#include "core/Printer.h"

namespace vtx::client {

// Out of line, so the vtable has one home.
Printer::~Printer() = default;

}  // namespace vtx::client

// Reads a request in the numbered-field form into a HostRequest.
//
// Items are read in the order their fields come: an item starts at a field
// of a new occurrence number, or at a group the current item already has.
// That reads the usual "902-000 906-000 905-000 ... 902-001 ..." and also
// the cancellation that repeats the occurrences 000-011 for each group of
// twelve products, and an item whose code was left out.
//
// Thread-safety: pure function.
#pragma once

#include "FieldMessage.h"
#include "HostRequest.h"

namespace vtx::hostsim {

HostRequest readTextRequest(const FieldMessage& message);

}  // namespace vtx::hostsim

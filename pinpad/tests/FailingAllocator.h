// Test helper: the program's operator new, which can be told to fail. Linked
// into a test program, it replaces the default one for the program and every
// library it loads.
//
// Thread-safety: the switch may be flipped from any thread; it applies to
// every thread at once.
#pragma once

namespace vtx::pinpad::test {

// While true, every operator new throws std::bad_alloc.
void failAllocations(bool fail);

}  // namespace vtx::pinpad::test

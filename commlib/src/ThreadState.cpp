#include "ThreadState.h"

namespace vtx::cli {

ThreadState& threadState() {
    thread_local ThreadState state;
    return state;
}

}  // namespace vtx::cli

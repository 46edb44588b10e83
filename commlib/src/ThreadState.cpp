#include "ThreadState.h"

namespace vx::cli {

ThreadState& threadState() {
    thread_local ThreadState state;
    return state;
}

}  // namespace vx::cli

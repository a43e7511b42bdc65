#include "cli/InterruptStop.h"

#include "core/Platform.h"

#include <csignal>

namespace vexa::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

} // namespace

void InstallInterruptStop() {
    // Only the first Ctrl+C comes here, so that a second one ends the program even when a stop
    // does not come through.
    CatchFirstInterrupt(OnInterrupt);
}

bool InterruptRequested() {
    return interrupted != 0;
}

} // namespace vexa::cli

#include "cli/InterruptStop.h"

#include <csignal>

namespace vexa::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

} // namespace

void InstallInterruptStop() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // The handler is taken away after the first signal, so that a second Ctrl+C ends the
    // program even when a stop does not come through.
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() {
    return interrupted != 0;
}

void RequestInterruptStop() {
    interrupted = 1;
}

void ClearInterruptStop() {
    interrupted = 0;
}

} // namespace vexa::cli

#include "StopSignal.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vexa {

namespace {

volatile std::sig_atomic_t writeEnd = -1;

extern "C" void OnStopSignal(int) {
    const char byte = 1;
    if (writeEnd >= 0)
        (void)!write(writeEnd, &byte, 1);
}

} // namespace

StopSignal::~StopSignal() {
    if (readFd_ >= 0)
        close(readFd_);
}

bool StopSignal::install() {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    for (int fd : fds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    readFd_ = fds[0];
    writeEnd = fds[1];
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

} // namespace vexa

#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace vexa {

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

bool PseudoTerminal::open(std::string& error) {
    const auto fail = [&error](const char* step) {
        error = std::string(step) + ": " + std::strerror(errno);
        return false;
    };
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail("posix_openpt");
    if (grantpt(master_) != 0)
        return fail("grantpt");
    if (unlockpt(master_) != 0)
        return fail("unlockpt");
    const char* name = ptsname(master_);
    if (!name)
        return fail("ptsname");
    slaveName_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return fail(name);
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0)
        return fail("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(slave_, TCSANOW, &settings) != 0)
        return fail("tcsetattr");
    // The master never blocks: the serving loop waits in poll() instead.
    if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
        return fail("fcntl");
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    return true;
}

} // namespace vexa

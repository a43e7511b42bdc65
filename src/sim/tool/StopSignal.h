#pragma once

namespace vexa {

// Turns SIGTERM and SIGINT into a readable pipe, so that a poll() loop can wait for a stop
// together with its other files.
class StopSignal {
public:
    StopSignal() = default;
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;
    ~StopSignal();

    // Installs the handlers; false (with errno set) when the pipe or a handler failed.
    bool install();
    // The end to poll for reading: readable once a stop signal came.
    int fd() const { return readFd_; }

private:
    int readFd_ = -1;
};

} // namespace vexa

#pragma once

// Pieces every benchmark program needs: a session without a user in front of it, and the CPU
// time the process has used.

#include "core/Clock.h"
#include "core/Prompter.h"
#include "core/SerialPort.h"
#include "core/Session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace vexa::bench {

// Counts the messages instead of showing them; keeps the last one and, when asked, echoes each
// to standard error so that an unexpected message is seen.
class CountingPrompter : public Prompter {
public:
    explicit CountingPrompter(bool echoToStderr) : echo_(echoToStderr) {}
    bool ask(MessageKind, const std::string& text) override {
        ++count;
        last = text;
        if (echo_)
            std::fprintf(stderr, "message: %s\n", text.c_str());
        return true;
    }
    int count = 0;
    std::string last;

private:
    bool echo_;
};

// Keeps the port list empty; a benchmark that needs a port sets it up by hand.
class NoPorts : public PortProvider {
public:
    std::vector<std::string> scanPorts() override { return {}; }
    std::unique_ptr<SerialPort> makePort(const std::string&) override { return nullptr; }
};

// A session on the system clock with a counting prompter and no ports.
struct BenchSession {
    explicit BenchSession(bool echoMessages = true) : prompter(echoMessages) {}
    CountingPrompter prompter;
    SystemClock clock;
    NoPorts ports;
    Session session{prompter, clock, ports};
};

// User and system CPU seconds this process has used so far.
inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The median wall time in milliseconds of `runs` runs of the operation; `allSucceeded` turns
// false when one run fails.
inline double MedianMs(int runs, const std::function<bool()>& operation, bool& allSucceeded) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        allSucceeded = operation() && allSucceeded;
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace vexa::bench

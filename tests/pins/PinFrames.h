#pragma once

#include "TestSeams.h"
#include "link/Exchange.h"

#include <cstdint>
#include <vector>

namespace vexa::test {

// Prepares a bench so that the next request goes out as one plain frame of module 0.
inline void SynchronisedLink(TestBench& bench) {
    bench.session.link.moduleAddress = 0;
    bench.session.link.frameToggle = 64;
    bench.session.link.useXAddress = false;
}

// The data bytes of the only frame written since the port's record was cleared.
inline std::vector<int> WrittenRequest(const ScriptedPort& port) {
    std::vector<int> data;
    for (std::size_t i = 2; i + 1 < port.written.size(); ++i)
        data.push_back(port.written[i] - 128);
    return data;
}

// Queues the controller's answer (its data bytes) to the next request of a synchronised link.
inline void QueueAnswer(TestBench& bench, const std::vector<int>& data) {
    ScriptedPort& port = bench.port();
    const int header = bench.session.link.frameToggle + bench.session.link.moduleAddress * 4 + 3;
    const int control = 0x60 + static_cast<int>(data.size());
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(header), static_cast<std::uint8_t>(control | 128)};
    unsigned sum = static_cast<unsigned>(header + control);
    for (int value : data) {
        frame.push_back(static_cast<std::uint8_t>(value | 128));
        sum += static_cast<unsigned>(value);
    }
    frame.push_back(FrameCheckByte(sum));
    port.queue(frame);
}

} // namespace vexa::test

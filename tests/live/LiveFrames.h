#pragma once

#include "TestSeams.h"

#include <vector>

namespace vexa::test {

// The frames a scripted port has written, each as its byte values with bit 7 taken off
// (header first, check byte last). A byte below 128 starts a frame.
inline std::vector<std::vector<int>> WrittenFrames(const ScriptedPort& port) {
    std::vector<std::vector<int>> frames;
    for (std::uint8_t byte : port.written) {
        if (byte < 128 || frames.empty())
            frames.emplace_back();
        frames.back().push_back(byte & 127);
    }
    return frames;
}

// The data bytes of a written Vexa frame without the eXtended address (between the control
// byte and the check byte), or the three data bytes of a Lumo frame after its header.
inline std::vector<int> FrameData(const std::vector<int>& frame) {
    return frame.size() < 3 ? std::vector<int>{} : std::vector<int>(frame.begin() + 2, frame.end() - 1);
}
inline std::vector<int> LumoFrame(const std::vector<int>& frame) {
    return frame.size() < 2 ? std::vector<int>{} : std::vector<int>(frame.begin(), frame.end() - 1);
}

} // namespace vexa::test

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexa {

// A complete frame with a correct check byte, as the controller takes it off the line.
struct ParsedFrame {
    enum class Kind { Vexa, Lumo };
    Kind kind = Kind::Vexa;
    std::uint8_t header = 0;
    std::uint8_t control = 0;             // Vexa frames: the control byte as sent (bit 7 set)
    std::optional<std::uint8_t> xAddress; // Vexa frames with the eXtended Address byte
    std::vector<std::uint8_t> data;       // values 0..127 (a Lumo frame has exactly three)
    bool followsPreamble = false;         // first frame after a resynchronisation preamble

    bool bidirectional() const { return (control & 32) != 0; }
    int moduleAddress() const { return (header >> 2) & 15; }
};

// Splits the byte stream of the link into frames. A byte below 128 is a header and always
// starts a new frame. The byte after it tells the two formats apart: a Vexa control byte is
// 0xC0 or more (its bit 6 is always set), while the first data byte of a Lumo frame is
// 0x80..0xBF. Frames whose check byte is wrong are dropped; the resynchronisation preamble
// abandons any frame in progress.
class SimFrameParser {
public:
    // Takes one byte; returns a frame when this byte completed a valid one.
    std::optional<ParsedFrame> push(std::uint8_t byte);

    // Frames dropped for a wrong check byte so far.
    int badFrames() const { return badFrames_; }

private:
    enum class State { Idle, Control, XByte, Data, Check };

    bool preambleSeen(std::uint8_t byte);
    std::optional<ParsedFrame> finish(std::uint8_t check);

    State state_ = State::Idle;
    ParsedFrame frame_;
    unsigned sum_ = 0;
    std::size_t dataWanted_ = 0;
    bool afterPreamble_ = false;
    int badFrames_ = 0;
    std::array<std::uint8_t, 9> recent_{};
    std::size_t recentCount_ = 0;
};

} // namespace vexa

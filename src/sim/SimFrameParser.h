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
// starts a new frame. A byte 0x80..0xBF after the header can only start a Lumo frame (a Vexa
// control byte always has bit 6 set). A byte of 0xC0 or more may be either: a Vexa control
// byte, or the first data byte (64..127) of a Lumo frame. Such a frame is read as Vexa; when
// its first five bytes also make a valid Lumo frame, that reading is kept and taken instead
// when the Vexa reading fails (wrong check byte, or the next header comes first). When both
// readings end on the same valid byte, the Vexa one wins. Frames whose check byte is wrong
// are dropped; the resynchronisation preamble abandons any frame in progress.
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
    void noteLumoByte(std::uint8_t byte);
    std::optional<ParsedFrame> endAmbiguousFrame(std::uint8_t byte);
    std::optional<ParsedFrame> takeLumoReading();

    State state_ = State::Idle;
    ParsedFrame frame_;
    unsigned sum_ = 0;
    std::size_t dataWanted_ = 0;
    bool afterPreamble_ = false;
    // A frame whose second byte could also start a Lumo frame: its bytes so far (after the
    // header), and the Lumo reading once five bytes made a valid one.
    bool lumoPossible_ = false;
    std::vector<std::uint8_t> values_;
    std::optional<ParsedFrame> lumoReading_;
    int badFrames_ = 0;
    std::array<std::uint8_t, 9> recent_{};
    std::size_t recentCount_ = 0;
};

} // namespace vexa

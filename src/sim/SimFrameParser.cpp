#include "sim/SimFrameParser.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr std::array<std::uint8_t, 9> Preamble{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA, 0xAA};
constexpr std::uint8_t FirstControlByte = 0xC0;
constexpr std::size_t LumoDataBytes = 3;

} // namespace

bool SimFrameParser::preambleSeen(std::uint8_t byte) {
    std::shift_left(recent_.begin(), recent_.end(), 1);
    recent_.back() = byte;
    recentCount_ = std::min(recentCount_ + 1, recent_.size());
    return recentCount_ == recent_.size() && recent_ == Preamble;
}

std::optional<ParsedFrame> SimFrameParser::push(std::uint8_t byte) {
    if (preambleSeen(byte)) {
        state_ = State::Idle;
        afterPreamble_ = true;
        recentCount_ = 0;
        lumoPossible_ = false;
        lumoReading_.reset();
        return std::nullopt;
    }
    if (byte < 128) {
        // A new header: an unfinished frame that also read as a Lumo frame was one.
        std::optional<ParsedFrame> lumo = state_ != State::Idle ? takeLumoReading() : std::nullopt;
        frame_ = ParsedFrame{};
        frame_.header = byte;
        sum_ = byte;
        state_ = State::Control;
        lumoPossible_ = false;
        values_.clear();
        lumoReading_.reset();
        return lumo;
    }
    if (lumoPossible_) {
        if (state_ == State::Idle || state_ == State::Check)
            return endAmbiguousFrame(byte);
        noteLumoByte(byte);
    }
    if (state_ == State::Idle)
        return std::nullopt; // a stray byte between frames
    const auto value = static_cast<std::uint8_t>(byte & 127);
    switch (state_) {
    case State::Control:
        sum_ += value;
        if (byte >= FirstControlByte) {
            lumoPossible_ = true;
            values_.push_back(value);
            frame_.kind = ParsedFrame::Kind::Vexa;
            frame_.control = byte;
            dataWanted_ = byte & 15u;
            state_ = (byte & 16) ? State::XByte : (dataWanted_ > 0 ? State::Data : State::Check);
        } else {
            frame_.kind = ParsedFrame::Kind::Lumo;
            frame_.data.push_back(value);
            dataWanted_ = LumoDataBytes - 1;
            state_ = State::Data;
        }
        return std::nullopt;
    case State::XByte:
        sum_ += value;
        frame_.xAddress = value;
        state_ = dataWanted_ > 0 ? State::Data : State::Check;
        return std::nullopt;
    case State::Data:
        sum_ += value;
        frame_.data.push_back(value);
        if (--dataWanted_ == 0)
            state_ = State::Check;
        return std::nullopt;
    case State::Check:
        return finish(byte);
    case State::Idle:
        break;
    }
    return std::nullopt;
}

// Keeps a byte of a frame that may be a Lumo frame as well; five valid bytes make its Lumo reading.
void SimFrameParser::noteLumoByte(std::uint8_t byte) {
    const auto value = static_cast<std::uint8_t>(byte & 127);
    values_.push_back(value);
    if (values_.size() == LumoDataBytes + 1 && ((sum_ + value) & 127u) == 0) {
        ParsedFrame lumo;
        lumo.kind = ParsedFrame::Kind::Lumo;
        lumo.header = frame_.header;
        lumo.data.assign(values_.begin(), values_.begin() + LumoDataBytes);
        lumo.followsPreamble = afterPreamble_;
        lumoReading_ = lumo;
    }
}

// The check byte of the Vexa reading of a frame that may be a Lumo frame, or a byte of its
// Lumo reading after the Vexa one failed.
std::optional<ParsedFrame> SimFrameParser::endAmbiguousFrame(std::uint8_t byte) {
    noteLumoByte(byte);
    const bool lumoComplete = values_.size() > LumoDataBytes;
    if (state_ == State::Idle) { // the Vexa reading failed earlier: only the Lumo one is left
        sum_ += byte & 127u;
        if (!lumoComplete)
            return std::nullopt;
        if (!lumoReading_)
            ++badFrames_;
        return takeLumoReading();
    }
    const int failedBefore = badFrames_;
    const bool preamble = afterPreamble_;
    std::optional<ParsedFrame> vexa = finish(byte);
    if (vexa) {
        lumoReading_.reset();
        lumoPossible_ = false;
        return vexa;
    }
    badFrames_ = failedBefore; // not counted yet: the bytes may still be a Lumo frame
    afterPreamble_ = preamble;
    if (!lumoComplete)
        return std::nullopt; // wait for the rest of the Lumo reading
    if (!lumoReading_)
        ++badFrames_;
    return takeLumoReading();
}

std::optional<ParsedFrame> SimFrameParser::takeLumoReading() {
    std::optional<ParsedFrame> lumo = std::move(lumoReading_);
    lumoReading_.reset();
    lumoPossible_ = false;
    if (lumo) {
        state_ = State::Idle;
        afterPreamble_ = false;
    }
    return lumo;
}

std::optional<ParsedFrame> SimFrameParser::finish(std::uint8_t check) {
    state_ = State::Idle;
    sum_ += check & 127u;
    const bool followsPreamble = afterPreamble_;
    afterPreamble_ = false;
    if ((sum_ & 127u) != 0) {
        ++badFrames_;
        return std::nullopt;
    }
    frame_.followsPreamble = followsPreamble;
    return frame_;
}

} // namespace vexa

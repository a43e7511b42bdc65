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
        return std::nullopt;
    }
    if (byte < 128) {
        frame_ = ParsedFrame{};
        frame_.header = byte;
        sum_ = byte;
        state_ = State::Control;
        return std::nullopt;
    }
    if (state_ == State::Idle)
        return std::nullopt; // a stray byte between frames
    const auto value = static_cast<std::uint8_t>(byte & 127);
    switch (state_) {
    case State::Control:
        sum_ += value;
        if (byte >= FirstControlByte) {
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

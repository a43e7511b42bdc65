#pragma once

#include "model/ConfigurationImage.h"
#include "model/WireRange.h"

#include <array>
#include <cstdint>

namespace vexa {

// Actions of one event direction of a pin, for event inputs 0..3.
using EventActions = std::array<std::int16_t, EventInputCount>;

constexpr int NoEventAction = -1;
constexpr int LastEventAction = 11;
// The actions a slot carries: its low four bits hold 0..11, or 15 for no action.
constexpr WireRange EventActionRange{NoEventAction, LastEventAction};

// The slot byte of an action for event input k: k x 16 + action, with 15 for no action.
int EncodeEventSlot(int input, int action);
// The action that a slot byte of an answer holds for event input k: -1 when its high four bits
// name another input or its low four bits are 15.
int DecodeEventSlot(int input, int slot);

// The enable-map masks for the write: bit k is set when the event of input k is initially
// disabled (its box unchecked).
struct EnableMasks {
    int on = 0;
    int off = 0;
};
EnableMasks EnableMasksOf(const EnableMap& enabled);
// The map that two masks of an answer give: a clear bit means initially enabled.
EnableMap EnableMapOf(int onMask, int offMask);

} // namespace vexa

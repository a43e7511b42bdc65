#pragma once

#include "model/ConfigurationImage.h"
#include "model/WireRange.h"

#include <array>
#include <cstdint>
#include <string>

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

// Captions of the event page: the rows of the On and Off actions and the column of input k.
inline constexpr const char* EventOnCaption = "ON:";
inline constexpr const char* EventOffCaption = "OFF:";
std::string EventInputCaption(int input);
// Captions of the two rows of the enable map (with their trailing blank).
inline constexpr const char* EnableOnCaption = "InitialEvent_ON Enable ";
inline constexpr const char* EnableOffCaption = "Initial Event_OFF Enable ";
// The actions of a pin other than "no action" in the page's words, input by input, each On
// before its Off: "Input 0 ON: 1, Input 0 OFF: 0"; "" when the pin has none.
std::string EventActionsText(const EventRecord& record);

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

#pragma once

#include "core/Session.h"

#include <array>
#include <cstdint>

namespace vexa {

using LedItems = std::array<std::uint8_t, 8>;

constexpr int LedDefaultItem = 7; // the LED's default function, grey when checked

extern const std::array<const char*, 8> GreenLedCaptions;  // by item 0..7
extern const std::array<const char*, 8> OrangeLedCaptions; // by item 0..7

// The LED byte: bit k = item k for k = 0..6; 0 means the default function.
int LedByte(const LedItems& items);
// Sets the items from a LED byte: its bits, or the default function (grey) for 0.
void ApplyLedByte(LedItems& items, int byte);
// A click on item `index` that left the box checked or not: the default function and the
// other items follow the rule of the LED boxes.
void ApplyLedClick(LedItems& items, int index, bool checked);

// "Read Settings" / "Write Settings" of the "LED Control" frame (settings 6 and 7). The read
// fails when an answer was refused (the orange byte is still read after a refused green one).
bool ReadLedSettings(Session& session);
bool WriteLedSettings(Session& session);

} // namespace vexa

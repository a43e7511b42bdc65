#pragma once

#include "core/Session.h"

#include <vector>

namespace vexa {

// The four requests that read and write a pin's type parameters at once.
// Get: 81, pin (the active setting). Read: 113, pin (the setting kept in flash).
// Set: 65, pin, type block (active). Write: 97, pin, type block (flash).
bool GetPinConfig(Session& session, int pin);
bool ReadPinConfig(Session& session, int pin);
bool SetPinConfig(Session& session, int pin);
bool WritePinConfig(Session& session, int pin);

// Setting index of the requests: 0 the active setting (Get, Set), 1 the flash setting (Read, Write).
constexpr int ActiveSetting = 0;
constexpr int FlashSetting = 1;

// The data bytes of a Set (setting 0) or Write (setting 1) request for the pin as the image holds
// it. A servo's flag byte goes out (and is kept) without bits 6 and 7.
std::vector<int> PinConfigWriteRequest(PinRecord& record, int pin, int setting);

} // namespace vexa

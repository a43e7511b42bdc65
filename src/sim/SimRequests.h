#pragma once

#include "sim/ControllerMemory.h"

#include <cstdint>
#include <vector>

namespace vexa {

// Request codes the controller understands (first data byte).
enum SimRequestCode : std::uint8_t {
    CodeLive = 0,
    CodeSetType = 65,
    CodeGetType = 81,
    CodeWriteSetting = 96,
    CodeWriteType = 97,
    CodeWriteLayout = 98,
    CodeWriteStep = 99,
    CodeWriteInitialOrEventOn = 100,
    CodeWriteEventOff = 101,
    CodeWriteAddressConfig = 102,
    CodeReadSetting = 112,
    CodeReadType = 113,
    CodeReadLayout = 114,
    CodeReadStep = 115,
    CodeReadInitialAndEventOn = 116,
    CodeReadEventOff = 117,
    CodeReadAddressConfig = 118,
};

// Live operations of the request 0, operation, target, value.
enum SimLiveOperation : std::uint8_t {
    LiveSetPinAspect = 0,
    LiveSetSerialAspect = 1,
    LivePwmLevel = 38,
    LiveServoPosition = 39,
    LivePwmLevelSlow = 54,
    LiveServoPositionDynamic = 55,
};

// The eight bytes after 96, 0 that make the controller erase its configuration.
inline constexpr std::array<std::uint8_t, 8> EraseConfirmation{33, 91, 12, 5, 60, 17, 88, 2};

// True for the request that erases the configuration memory.
bool IsEraseRequest(const std::vector<std::uint8_t>& data);

// Carries out one request (its data values) on the controller and returns the data values of
// the answer it would send when the request asks for one. Reads answer with the echo of the
// first two request bytes and the values; writes, live commands and requests the controller
// does not know answer with the echo alone; the empty request answers with the oldest
// reported message, or with nothing when none is waiting.
std::vector<std::uint8_t> ServeRequest(ControllerMemory& memory, SimLiveState& live,
                                       const std::vector<std::uint8_t>& data);

} // namespace vexa

#pragma once

#include "core/Session.h"

#include <array>

namespace vexa {

// Fixed module addresses of the "Reset 15", "Clear All 0", "Lamp Test 0" and "Lamp Test 15" buttons.
constexpr int ModuleZero = 0;
constexpr int ModuleFifteen = 15;

// Lumo-format module commands, sent to the module address given.
bool SendModuleReset(Session& session, int module);
// Clear All and Lamp Test send one command per output 0..31; with the port closed they say
// "Select communications port" once and send nothing.
bool SendClearAll(Session& session, int module);
bool SendLampTest(Session& session, int module);

// The matrix-board panel: ten serial addresses, twenty legend labels.
constexpr int MatrixAddressCount = 10;
constexpr int MatrixAspectCount = 32;
extern const std::array<const char*, 20> MatrixLegendTexts;

// "MB-n": Vexa set aspect n on each checked serial address 0..9, in ascending order.
bool SendMatrixAspect(Session& session, const std::array<bool, MatrixAddressCount>& checked, int aspect);

} // namespace vexa

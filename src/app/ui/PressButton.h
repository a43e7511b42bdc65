#pragma once

// The press button now lives with the other shared view pieces.
#include "core/ui/PressButton.h"

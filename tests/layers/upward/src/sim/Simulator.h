#pragma once
// The simulated controller.

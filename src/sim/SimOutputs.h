#pragma once

#include <array>

namespace vexa {

// A value that moves from where it was to a target at a fixed rate, or jumps there.
struct SimMotion {
    double from = 0;
    double target = 0;
    double start = 0; // seconds on the simulator's clock when the move began
    double rate = 0;  // units per second; 0 = the value jumped

    double at(double now) const;
    void jump(double value);
    void moveTo(double value, double now, double unitsPerSecond);
};

// What one output of the simulated controller does now.
struct SimOutputState {
    int aspect = -1;       // aspect shown since the last set-aspect command, -1 = none
    bool lampTest = false; // lit by a lamp test until cleared, reset or set again
    SimMotion value;       // PWM level 0..31 (a lamp is lit above 0) or servo byte 0..127
};

using SimOutputStates = std::array<SimOutputState, 32>;

} // namespace vexa

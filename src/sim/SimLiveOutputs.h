#pragma once

#include "sim/ControllerMemory.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// What kind of output a pin is, by its active configuration type.
enum class SimOutputKind { None, Servo, Pwm, Input };
SimOutputKind OutputKindOf(const SimPin& pin);

// The live request 0, operation, target, value as it moves the outputs: set aspect of a pin or
// of a serial address (running the aspect's program), PWM level and servo position (moving with
// the pin's dynamics for 54 and 55, jumping for 38 and 39).
void ServeLiveOutputs(const ControllerMemory& memory, SimLiveState& live, const std::vector<std::uint8_t>& data);

// A Lumo-format frame: set aspect of a pin (0) or of a Lumo address (1, resolved by the
// controller's serial addressing: Lumo-compatible, native or flex), reset (2), clear one
// output (8), lamp test of one output (10). Frames for other modules change nothing.
void ServeLumoOutputs(const ControllerMemory& memory, SimLiveState& live, int moduleAddress, std::uint8_t header,
                      const std::array<std::uint8_t, 3>& data);

// Shows an aspect of a pin: its program's settings take effect at once (waits are not kept;
// a jump ends the program, so that a blinking loop shows its first state).
void ShowAspectOnOutputs(const ControllerMemory& memory, SimLiveState& live, int pin, int aspect);

// Every output back to its start: initial levels and positions, then the initial aspects.
void ResetOutputs(const ControllerMemory& memory, SimLiveState& live);

// One output as a view shows it.
struct SimOutputView {
    SimOutputKind kind = SimOutputKind::None;
    int aspect = -1;
    bool lampTest = false;
    int value = 0;       // PWM or lamp level 0..31, servo position -64..63
    bool moving = false; // still on its way to the target
};
// The outputs as they are at `now` (seconds on the simulator's clock).
std::array<SimOutputView, PinCount> ViewOutputs(const ControllerMemory& memory, const SimLiveState& live, double now);

// One line per output: "output 2 servo aspect - position -10", "output 5 pwm aspect 1 level 20",
// " lamp-test" appended while a lamp test lights it. Outputs count from 0, as on the wire.
std::string OutputsText(const std::array<SimOutputView, PinCount>& outputs);

} // namespace vexa

#pragma once

#include <memory>

namespace vexa {

class SimBus;
class Simulator;

// Gives the controller a small configuration that shows every kind of pin: identity
// "Vexa Sim", a servo with two positions on pin 0, a PWM output with a four-aspect program
// and event actions on pin 1, and a low-active input on pin 2.
void InstallDemoConfiguration(Simulator& simulator);

// A small layout: three controllers at module addresses 0, 1 and 4, each with an identity and
// a configuration of its own: "Station" (the demonstration configuration above), "Goods Yard"
// (four turnout servos) and "Main Signals" (six PWM signal lamps, LED functions set).
std::shared_ptr<SimBus> MakeDemoLayout();

} // namespace vexa

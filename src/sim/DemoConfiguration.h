#pragma once

namespace vexa {

class Simulator;

// Gives the controller a small configuration that shows every kind of pin: identity
// "Vexa Sim", a servo with two positions on pin 0, a PWM output with a four-aspect program
// and event actions on pin 1, and a low-active input on pin 2.
void InstallDemoConfiguration(Simulator& simulator);

} // namespace vexa

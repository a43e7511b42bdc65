// A fuzz target that reaches for the simulator.
#include "sim/Simulator.h"

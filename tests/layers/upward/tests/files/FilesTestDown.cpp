// A file test may use its subsystem, the test support and the simulator.
#include "TestSeams.h"
#include "files/FileHelper.h"
#include "sim/Simulator.h"

// A file test that reaches up to a helper of the pin tests.
#include "../pins/PinFrames.h"

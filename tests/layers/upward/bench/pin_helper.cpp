// A benchmark that reaches for a helper of the pin tests instead of the test support.
#include "../tests/pins/PinFrames.h"

// A file test that reaches up to a pin operation.
#include "pins/PinTransfer.h"

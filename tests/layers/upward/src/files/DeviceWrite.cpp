// A file operation that reaches up to a pin operation: the layer check must refuse it.
#include "pins/PinTransfer.h"

// The same upward include by a path relative to this file.
#include "../pins/PinTransfer.h"

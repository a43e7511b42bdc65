// The same upward include between angle brackets.
#include <pins/PinTransfer.h>

// The same upward include, indented inside a condition.
#if 1
    #include "pins/PinTransfer.h"
#endif

// The same upward include with blanks after the '#'.
#  include "pins/PinTransfer.h"

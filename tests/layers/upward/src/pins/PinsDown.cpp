// Includes that point down or stay in the unit, in every form: the check lets them pass.
#include "PinTransfer.h"
#include "../files/FileHelper.h"
#  include <files/FileHelper.h>
  #include <vector>

#include "live/SerialAddress.h"

namespace vexa {

int FirstSerialAddress(const ConfigurationImage& image, int pin) {
    int sum = 0;
    for (int k = 0; k < pin && k < PinCount; ++k)
        sum += image.pins[static_cast<std::size_t>(k)].lumoAddressCount;
    return sum;
}

bool HasSerialAddress(const ConfigurationImage& image, int pin) {
    return image.pins.at(static_cast<std::size_t>(pin)).lumoAddressCount > 0;
}

} // namespace vexa

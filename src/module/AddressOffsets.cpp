#include "module/AddressOffsets.h"

namespace vexa {

AddressOffsets ComputeAddressOffsets(const ConfigurationImage& image) {
    AddressOffsets offsets;
    for (std::size_t k = 0; k < image.pins.size(); ++k) {
        const PinRecord& pin = image.pins[k];
        offsets.serial[k] = offsets.serialTotal;
        offsets.dcc[k] = offsets.dccTotal;
        offsets.xdcc[k] = offsets.xdccTotal;
        offsets.serialTotal += pin.lumoAddressCount;
        offsets.dccTotal += pin.dccAddressCount;
        offsets.xdccTotal += pin.xdccAddressCount;
    }
    return offsets;
}

} // namespace vexa

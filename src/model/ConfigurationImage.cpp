#include "model/ConfigurationImage.h"

namespace vexa {

const std::array<const char*, 8> SerialBaudTexts{"9600",  "14400", "19200", "28800",
                                                 "38400", "57600", "76800", "115200"};

int AspectsInLayout(int aspectLayout) {
    switch (aspectLayout) {
    case LayoutFourByNine:
        return 4;
    case LayoutTwelveByThree:
        return 12;
    default:
        return 0;
    }
}

int StepsInLayout(int aspectLayout) {
    switch (aspectLayout) {
    case LayoutFourByNine:
        return 9;
    case LayoutTwelveByThree:
        return 3;
    default:
        return 0;
    }
}

int HeadPinOf(const ConfigurationImage& image, int pin) {
    if (pin < 0 || pin >= PinCount)
        return -1;
    const int head = pin + image.pins[static_cast<std::size_t>(pin)].deviceReferral;
    return head >= 0 && head < PinCount ? head : -1;
}

void ReleaseDeviceHead(ConfigurationImage& image, int pin) {
    if (pin < 0 || pin >= PinCount || image.pins[static_cast<std::size_t>(pin)].deviceReferral != 0)
        return;
    for (int i = 0; i < PinCount; ++i) {
        PinRecord& record = image.pins[static_cast<std::size_t>(i)];
        if (i + record.deviceReferral == pin) {
            record.deviceReferral = 0;
            record.deviceDescription.clear();
        }
    }
}

void ClearAspects(PinRecord& pin) {
    for (AspectRecord& aspect : pin.aspects)
        aspect = AspectRecord{};
}

void ClearPinRecord(ConfigurationImage& image, int pin) {
    if (pin < 0 || pin >= PinCount)
        return;
    ReleaseDeviceHead(image, pin);
    PinRecord& record = image.pins[static_cast<std::size_t>(pin)];
    record.description.clear();
    record.deviceDescription.clear();
    record.deviceReferral = 0;
    record.configType = 0;
    record.configParams.fill(0);
    record.initialAspect = 0;
    record.aspectLayout = LayoutNone;
    ClearAspects(record);
}

} // namespace vexa

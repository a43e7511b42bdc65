#include "pins/PinPageRules.h"

#include "core/NumberField.h"
#include "files/DeviceHead.h"
#include "pins/PinConfigTypes.h"

namespace vexa {

const char* const ReferralIsNoDeviceText = "<Referral is no Device !>";

namespace {

constexpr int LastPin = PinCount - 1;
constexpr char32_t LastLatin1 = 0xFF;

PinRecord& RecordOf(ConfigurationImage& image, int pin) {
    return image.pins.at(static_cast<std::size_t>(pin));
}

} // namespace

int PinOfField(std::string_view text, int numberingBase) {
    return ClampedFieldValue(text, numberingBase, numberingBase + LastPin) - numberingBase;
}

int AspectOfField(std::string_view text, int lastAspect) {
    return ClampedFieldValue(text, 0, lastAspect);
}

int InitialAspectOfField(std::string_view text, int lastAspect) {
    return ClampedFieldValue(text, -1, lastAspect) + 1;
}

std::string DevicePinText(const ConfigurationImage& image, int pin, int numberingBase) {
    return NumberText(pin + image.pins.at(static_cast<std::size_t>(pin)).deviceReferral + numberingBase);
}

DeviceNameView DeviceNameOf(const ConfigurationImage& image, int pin) {
    const PinRecord& record = image.pins.at(static_cast<std::size_t>(pin));
    DeviceNameView view;
    view.editable = record.deviceReferral == 0;
    const int head = HeadPinOf(image, pin);
    if (head < 0 || image.pins[static_cast<std::size_t>(head)].deviceReferral != 0)
        view.text = ReferralIsNoDeviceText;
    else
        view.text = image.pins[static_cast<std::size_t>(head)].deviceDescription;
    return view;
}

bool ApplyDevicePinText(ConfigurationImage& image, int pin, std::string_view text, int numberingBase) {
    const std::optional<double> value = ParseWholeNumber(text);
    if (!value || *value < numberingBase || *value > numberingBase + LastPin)
        return false;
    RecordOf(image, pin).deviceReferral = static_cast<std::int16_t>(RoundHalfEven(*value - pin - numberingBase));
    return true;
}

void SettleDeviceName(ConfigurationImage& image, int pin) {
    PinRecord& record = RecordOf(image, pin);
    if (record.deviceReferral != 0)
        record.deviceDescription.clear();
}

bool CheckCurrentDeviceHead(Session& session) {
    return CheckDeviceHead(session, session.image.currentPin);
}

bool IsStorableTextCharacter(char32_t character) {
    return character != U'"' && character != U'\r' && character != U'\n' && character <= LastLatin1;
}

PinPageVisibility PinPageVisibilityFor(int layoutOption, bool details, bool expertMode) {
    PinPageVisibility visibility;
    const bool hasAspects = layoutOption == 1 || layoutOption == 2;
    visibility.aspectFields = hasAspects;
    visibility.aspectDetails = hasAspects && details;
    visibility.stepRows = hasAspects ? StepsInLayout(LayoutOfOption(layoutOption)) : 0;
    visibility.detailArea = details;
    visibility.flashConfigButtons = details && expertMode;
    return visibility;
}

} // namespace vexa

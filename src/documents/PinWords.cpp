#include "documents/PinWords.h"

#include "events/EventSlots.h"
#include "model/TextEncoding.h"
#include "pins/PinPageRules.h"
#include "pins/PinTypeText.h"

namespace vexa {

namespace {

std::string DeviceText(const ConfigurationImage& image, int pin, int base) {
    const PinRecord& record = image.pins.at(static_cast<std::size_t>(pin));
    if (record.deviceReferral == 0 && record.deviceDescription.empty())
        return "";
    const std::string name = Utf8FromLatin1(DeviceNameOf(image, pin).text);
    if (record.deviceReferral == 0)
        return name;
    return name + " (" + pinpage::DevicePin + " " + DevicePinText(image, pin, base) + ")";
}

} // namespace

PinWords DescribePin(const BoardSet& set, const Board& board, int pin) {
    const int base = set.numberingBase;
    const PinRecord& record = board.image.pins.at(static_cast<std::size_t>(pin));
    const AddressContext context = AddressContextOf(set, board);
    PinWords words;
    words.module = std::to_string(board.address + base);
    words.idString = Utf8FromLatin1(board.image.module.idString);
    words.pin = std::to_string(pin + base);
    words.description = Utf8FromLatin1(record.description);
    words.device = DeviceText(board.image, pin, base);
    words.type = TypeText(record);
    words.parameters = JoinTexts(TypeParameterTexts(record));
    words.counts = {std::to_string(record.lumoAddressCount), std::to_string(record.dccAddressCount),
                    std::to_string(record.xdccAddressCount)};
    words.dccAddress = DccAddressLabel(context, pin);
    words.xdccAddress = XDccAddressLabel(context, pin);
    words.serialAddress = SerialAddressLabel(context, pin);
    words.pinAddress = PinAddressLabel(context, pin);
    words.aspects = std::to_string(AspectsInLayout(record.aspectLayout));
    words.initialAspect = std::to_string(record.initialAspect - 1);
    words.events = EventActionsText(board.image.events.at(static_cast<std::size_t>(pin)));
    return words;
}

} // namespace vexa

#include "dialogs/PinEditing.h"

#include "dialogs/CurrentSelection.h"
#include "dialogs/EditMessages.h"

namespace vexa {

void ClearCurrentPin(ConfigurationImage& image) {
    ClearPinRecord(image, image.currentPin);
}

void CopyCurrentPin(const ConfigurationImage& image, PinClipboard& clipboard) {
    const PinRecord* pin = CurrentPinRecord(image);
    if (pin == nullptr)
        return;
    clipboard.record = *pin;
    clipboard.sourcePin = image.currentPin;
    clipboard.filled = true;
}

bool PasteCurrentPin(Session& session, const PinClipboard& clipboard) {
    if (!clipboard.filled) {
        session.tell(NothingToPasteMessage);
        return false;
    }
    ConfigurationImage& image = session.image;
    PinRecord* pin = CurrentPinRecord(image);
    if (pin == nullptr)
        return false;
    ReleaseDeviceHead(image, image.currentPin);
    *pin = clipboard.record;
    if (pin->deviceReferral != 0)
        pin->deviceReferral =
            static_cast<std::int16_t>(clipboard.record.deviceReferral + clipboard.sourcePin - image.currentPin);
    return true;
}

} // namespace vexa

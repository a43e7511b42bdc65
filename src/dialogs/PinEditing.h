#pragma once

#include "core/Session.h"
#include "model/ConfigurationImage.h"

namespace vexa {

// The pin clipboard: a copy of one pin record and the pin it was copied from.
struct PinClipboard {
    PinRecord record;
    int sourcePin = 0;
    bool filled = false;
};

// Clears the current pin (releasing its device first when it is a device head).
void ClearCurrentPin(ConfigurationImage& image);

// Copies the current pin into the clipboard.
void CopyCurrentPin(const ConfigurationImage& image, PinClipboard& clipboard);

// Replaces the current pin by the clipboard's record, after releasing the device the current
// pin heads. A device member keeps referring to the head pin it referred to where it was
// copied. Shows "Nothing to Paste" and returns false when the clipboard is empty.
bool PasteCurrentPin(Session& session, const PinClipboard& clipboard);

} // namespace vexa

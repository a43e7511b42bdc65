#pragma once

#include "core/Session.h"

#include <string>
#include <string_view>

namespace vexa {

// Captions of the pin page, which a description of the pins on paper uses too.
namespace pinpage {
inline constexpr const char* Pin = "Pin";
inline constexpr const char* DevicePin = "Device Pin";
inline constexpr const char* DeviceName = "Device Name";
inline constexpr const char* Aspects = "Aspects";
inline constexpr const char* Aspect = "Aspect";
inline constexpr const char* Init = "Init";
inline constexpr const char* AddressCounts = "Nr Of Addresses";
// The heading of the three count fields names them Serial, B-DCC and X-DCC.
inline constexpr const char* SerialCount = "Serial";
inline constexpr const char* DccCount = "B-DCC";
inline constexpr const char* XDccCount = "X-DCC";
} // namespace pinpage

// Largest address counts a pin may take.
constexpr int MaxDccAddressCount = 6;
constexpr int MaxXdccAddressCount = 1;
constexpr int MaxLumoAddressCount = 6;

// The pin field: a number clamped to base..base + 31; returns the pin 0..31.
int PinOfField(std::string_view text, int numberingBase);
// The aspect field: 0 .. last aspect.
int AspectOfField(std::string_view text, int lastAspect);
// The initial-aspect field: -1 (none) .. last aspect; returns the stored initialAspect (value + 1).
int InitialAspectOfField(std::string_view text, int lastAspect);

// Text of the device-pin field: the head pin as the user counts it.
std::string DevicePinText(const ConfigurationImage& image, int pin, int numberingBase);

// What the device-name field shows for a pin, and whether it may be edited there.
struct DeviceNameView {
    std::string text;
    bool editable = false;
};
extern const char* const ReferralIsNoDeviceText;
DeviceNameView DeviceNameOf(const ConfigurationImage& image, int pin);

// A change of the device-pin field: a number within base..base + 31 makes that pin the head
// (referral = head - pin). Returns whether the text was taken; other text changes nothing.
bool ApplyDevicePinText(ConfigurationImage& image, int pin, std::string_view text, int numberingBase);

// Clicking or leaving the device-pin field: a member pin keeps no device name of its own.
void SettleDeviceName(ConfigurationImage& image, int pin);

// Whether the pin that the current pin refers to is a device head; says "Referral is not a
// device" (warning) when it is not.
bool CheckCurrentDeviceHead(Session& session);

// Characters that a description may hold: the data file writes descriptions between double
// quotes, one line each, one byte per character, so a double quote, a line break and any
// character beyond Latin-1 could not be read back.
bool IsStorableTextCharacter(char32_t character);

// Which controls of the pin page are shown for a layout choice, the details switch and expert mode.
struct PinPageVisibility {
    bool aspectFields = false;       // aspect and initial-aspect fields, aspect description, aspect test
    bool aspectDetails = false;      // "Write Single" and the "#" and "Instruction" headings
    int stepRows = 0;                // step rows shown: 0, 9 or 3
    bool detailArea = false;         // step frame, type tabs, the active-setting and aspect transfer buttons
    bool flashConfigButtons = false; // "Read Pin Config" and "Write Pin Config"
};
PinPageVisibility PinPageVisibilityFor(int layoutOption, bool details, bool expertMode);

// A count field is shown in the detail view, or when it holds anything but "1".
inline bool AddressCountVisible(bool details, std::string_view text) {
    return details || text != "1";
}

} // namespace vexa

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vexa {

constexpr int PinCount = 32;
constexpr int AspectCount = 12;
constexpr int StepCount = 9;
constexpr int ConfigParamCount = 11;
constexpr int EventInputCount = 4;
// Entries of the initial enable map: the On events of inputs 0..3, then their Off events.
constexpr int EnableMapSize = 2 * EventInputCount;

// One step of an aspect program. The fade flag is kept apart from the instruction code here;
// only the wire and the data file fold it into the instruction byte.
struct AspectStep {
    std::uint8_t instruction = 0;
    std::uint8_t fade = 0;
    std::uint8_t offset = 0;
    std::uint8_t par1 = 0;
    std::uint8_t par2 = 0;
    std::uint8_t par3 = 0;

    bool operator==(const AspectStep&) const = default;
};

struct AspectRecord {
    std::string description;
    std::array<AspectStep, StepCount> steps{};

    bool operator==(const AspectRecord&) const = default;
};

// Aspect layout values as stored in files and sent on the wire.
enum AspectLayoutValue : std::uint8_t { LayoutNone = 0, LayoutTwelveByThree = 2, LayoutFourByNine = 3 };

struct PinRecord {
    std::string description;
    std::string deviceDescription;
    std::int16_t deviceReferral = 0;
    std::uint8_t configType = 0;
    std::array<std::uint8_t, ConfigParamCount> configParams{}; // parameters 1..11 at index 0..10
    std::uint8_t liveValue = 0;
    std::uint8_t initialAspect = 0; // initial aspect + 1; 0 = none
    std::uint8_t dccAddressCount = 1;
    std::uint8_t xdccAddressCount = 1;
    std::uint8_t lumoAddressCount = 1;
    std::uint8_t aspectLayout = LayoutNone;
    std::array<AspectRecord, AspectCount> aspects{};

    // Parameter n (1..11) of the configuration type.
    std::uint8_t& param(int n) { return configParams.at(static_cast<std::size_t>(n - 1)); }
    std::uint8_t param(int n) const { return configParams.at(static_cast<std::size_t>(n - 1)); }

    bool operator==(const PinRecord&) const = default;
};

// The initial enable map; true = the event is initially enabled.
using EnableMap = std::array<bool, EnableMapSize>;

struct EventRecord {
    std::array<std::int16_t, EventInputCount> onEvents{};
    std::array<std::int16_t, EventInputCount> offEvents{};

    bool operator==(const EventRecord&) const = default;
};

// Check state of a box with a grey third state (the LED default functions).
constexpr std::uint8_t CheckGrey = 2;

struct ModuleSettings {
    std::string idString;
    int dccAddress = 1;
    int xdccAddress = 1;
    std::uint8_t dccPacketRepeat = 2;
    bool dccStateInvert = false;
    bool dccAllowZero = false;
    bool lumoFlexAddressing = false;
    bool nativeMode = false;
    std::uint8_t lumoFlexBlock = 0;
    // Unknown (empty) until read from the controller, loaded from a file that holds it, or set
    // by the user: an unknown mode is neither written nor compared.
    std::optional<bool> enforcedXAddress;
    std::uint8_t moduleXAddress = 0;
    std::array<bool, 16> groupMask{};
    std::array<bool, 4> hwcSink{};
    std::array<bool, 4> hwcSource{};
    // Items 0..6 are 0/1; item 7 (the default function) is 0 or CheckGrey.
    std::array<std::uint8_t, 8> ledGreen{0, 0, 0, 0, 0, 0, 0, CheckGrey};
    std::array<std::uint8_t, 8> ledOrange{0, 0, 0, 0, 0, 0, 0, CheckGrey};
    bool serialEnable = false;
    std::uint8_t serialBaud = 0; // index into SerialBaudTexts
    std::uint8_t serialDataBits = 7;
    std::uint8_t serialParity = 0; // 0 none, 2 even, 3 odd
    std::uint8_t serialStopBits = 1;

    bool operator==(const ModuleSettings&) const = default;
};

extern const std::array<const char*, 8> SerialBaudTexts;

// The in-memory model of one controller's whole configuration. Copies are deep.
struct ConfigurationImage {
    ModuleSettings module;
    std::array<PinRecord, PinCount> pins{};
    std::array<EventRecord, PinCount> events{};
    // The initial enable map; unknown (empty) until read, loaded or set, like the enforced mode.
    std::optional<EnableMap> enableMap;
    int currentPin = 0;
    int currentAspect = 0;

    bool operator==(const ConfigurationImage&) const = default;
};

// Number of aspects and steps per aspect that a layout counts: 0/0, 4/9 or 12/3.
int AspectsInLayout(int aspectLayout);
int StepsInLayout(int aspectLayout);

// Head pin of a pin's device (pin + deviceReferral), or -1 when that lies outside 0..31.
int HeadPinOf(const ConfigurationImage& image, int pin);

// Empties a device whose head is the given pin; does nothing when the pin is not a head.
void ReleaseDeviceHead(ConfigurationImage& image, int pin);

// Releases the pin's device and clears everything but the address counts and liveValue.
void ClearPinRecord(ConfigurationImage& image, int pin);

// Empties the aspect descriptions and every step of a pin.
void ClearAspects(PinRecord& pin);

} // namespace vexa

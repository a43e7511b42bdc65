#include "model/ConfigurationChange.h"

#include <vector>

namespace vexa {

namespace {

// The configuration of an image without what only shows or drives it now.
ConfigurationImage ConfigurationOf(const ConfigurationImage& image) {
    ConfigurationImage plain = image;
    plain.currentPin = 0;
    plain.currentAspect = 0;
    for (PinRecord& pin : plain.pins)
        pin.liveValue = 0;
    return plain;
}

// The frames of the "General" tab, each with the settings it shows.
std::vector<std::string> ChangedModuleFrames(const ModuleSettings& a, const ModuleSettings& b) {
    std::vector<std::string> frames;
    if (a.idString != b.idString)
        frames.emplace_back("ID String");
    if (a.dccAddress != b.dccAddress || a.xdccAddress != b.xdccAddress || a.dccPacketRepeat != b.dccPacketRepeat ||
        a.dccStateInvert != b.dccStateInvert || a.dccAllowZero != b.dccAllowZero)
        frames.emplace_back("DCC");
    if (a.lumoFlexAddressing != b.lumoFlexAddressing || a.nativeMode != b.nativeMode ||
        a.lumoFlexBlock != b.lumoFlexBlock || a.enforcedXAddress != b.enforcedXAddress ||
        a.moduleXAddress != b.moduleXAddress || a.groupMask != b.groupMask)
        frames.emplace_back("Serial Addressing Options");
    if (a.ledGreen != b.ledGreen || a.ledOrange != b.ledOrange)
        frames.emplace_back("LED Control");
    if (a.hwcSink != b.hwcSink || a.hwcSource != b.hwcSource)
        frames.emplace_back("Hardware Config");
    if (a.serialEnable != b.serialEnable || a.serialBaud != b.serialBaud || a.serialDataBits != b.serialDataBits ||
        a.serialParity != b.serialParity || a.serialStopBits != b.serialStopBits)
        frames.emplace_back("Serial Port");
    return frames;
}

// What changed within one pin: one step, one aspect, the configuration type and its
// parameters, or the pin as a whole.
std::string PinPart(const PinRecord& a, const PinRecord& b, const std::string& pin) {
    PinRecord withAspects = a;
    withAspects.aspects = b.aspects;
    if (withAspects == b) {
        std::vector<int> aspects;
        for (int i = 0; i < AspectCount; ++i)
            if (!(a.aspects[static_cast<std::size_t>(i)] == b.aspects[static_cast<std::size_t>(i)]))
                aspects.push_back(i);
        if (aspects.size() == 1) {
            const AspectRecord& before = a.aspects[static_cast<std::size_t>(aspects[0])];
            const AspectRecord& after = b.aspects[static_cast<std::size_t>(aspects[0])];
            const std::string aspect = pin + " Aspect " + std::to_string(aspects[0]);
            std::vector<int> steps;
            for (int s = 0; s < StepCount; ++s)
                if (!(before.steps[static_cast<std::size_t>(s)] == after.steps[static_cast<std::size_t>(s)]))
                    steps.push_back(s);
            if (before.description == after.description && steps.size() == 1)
                return aspect + " step " + std::to_string(steps[0]);
            if (steps.empty())
                return aspect + " description";
            return aspect;
        }
    }
    PinRecord withType = a;
    withType.configType = b.configType;
    withType.configParams = b.configParams;
    if (withType == b)
        return pin + " configuration";
    PinRecord withDescription = a;
    withDescription.description = b.description;
    if (withDescription == b)
        return pin + " description";
    return pin;
}

// More than a few numbers are counted rather than listed.
constexpr std::size_t MostListed = 4;

// "3 and 4", "3, 4 and 5".
std::string Listed(const std::vector<int>& shown) {
    std::string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0)
            text += i + 1 == shown.size() ? " and " : ", ";
        text += std::to_string(shown[i]);
    }
    return text;
}

} // namespace

bool SameConfiguration(const ConfigurationImage& a, const ConfigurationImage& b) {
    return ConfigurationOf(a) == ConfigurationOf(b);
}

std::string DescribeChange(const ConfigurationImage& before, const ConfigurationImage& after, int numberingBase) {
    const ConfigurationImage a = ConfigurationOf(before);
    const ConfigurationImage b = ConfigurationOf(after);
    if (a == b)
        return {};
    std::vector<std::string> parts = ChangedModuleFrames(a.module, b.module);
    const bool moduleChanged = !(a.module == b.module);
    std::vector<int> pins;
    std::vector<int> eventPins;
    std::string pinPart;
    for (int p = 0; p < PinCount; ++p) {
        const auto i = static_cast<std::size_t>(p);
        if (!(a.pins[i] == b.pins[i])) {
            pins.push_back(p + numberingBase);
            pinPart = PinPart(a.pins[i], b.pins[i], "Pin " + std::to_string(p + numberingBase));
        }
        if (!(a.events[i] == b.events[i]))
            eventPins.push_back(p + numberingBase);
    }
    const bool mapChanged = a.enableMap != b.enableMap;
    // Whatever else the image may come to hold is named as a whole.
    ConfigurationImage rest = b;
    rest.module = a.module;
    rest.pins = a.pins;
    rest.events = a.events;
    rest.enableMap = a.enableMap;
    const bool otherChanged = !(rest == a);

    const std::size_t areas = (moduleChanged ? 1u : 0u) + (pins.empty() ? 0u : 1u) + (eventPins.empty() ? 0u : 1u) +
                              (mapChanged ? 1u : 0u) + (otherChanged ? 1u : 0u);
    if (areas > 1)
        return SeveralChanges;
    if (moduleChanged)
        return parts.size() == 1 ? parts[0] : "General settings";
    if (pins.size() == 1)
        return pinPart;
    if (!pins.empty())
        return pins.size() > MostListed ? std::to_string(pins.size()) + " pins" : "Pins " + Listed(pins);
    if (eventPins.size() == 1)
        return "Events of pin " + std::to_string(eventPins[0]);
    if (!eventPins.empty())
        return eventPins.size() > MostListed ? "Events of " + std::to_string(eventPins.size()) + " pins"
                                             : "Events of pins " + Listed(eventPins);
    if (mapChanged)
        return "Initial enable map";
    return "Configuration";
}

} // namespace vexa

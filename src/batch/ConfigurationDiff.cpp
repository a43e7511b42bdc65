#include "batch/ConfigurationDiff.h"

#include "events/EventComparison.h"
#include "module/SettingComparison.h"
#include "pins/PinComparison.h"

namespace vexa {

namespace {

// What a controller holds after a write of the whole configuration.
ControllerCopy HeldAfterWriting(const ConfigurationImage& image) {
    ControllerCopy held;
    for (ModuleSetting setting : ComparedSettings())
        if (std::optional<std::vector<int>> values = SettingWireValues(image.module, setting))
            held.hold({HeldPart::Setting, SettingNumber(setting)}, std::move(*values));
    HoldEventParts(held, image);
    for (int pin = 0; pin < PinCount; ++pin)
        HoldPinParts(held, image.pins[static_cast<std::size_t>(pin)], pin);
    return held;
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

} // namespace

std::vector<std::string> CompareConfigurations(const ConfigurationImage& configured, const ConfigurationImage& other,
                                               int numberingBase) {
    const ControllerCopy held = HeldAfterWriting(other);
    const ConfigurationImage& image = configured;
    std::vector<std::string> lines;
    for (ModuleSetting setting : ComparedSettings())
        if (const std::vector<int>* values = held.find({HeldPart::Setting, SettingNumber(setting)}))
            if (std::optional<SettingFinding> finding = CompareSetting(image.module, setting, *values))
                lines.push_back(finding->text);
    for (const EventDirection* direction : {&EventOnDirection(), &EventOffDirection()})
        for (int pin = 0; pin < PinCount; ++pin)
            Append(lines, CompareEventSlots(*direction, pin, numberingBase,
                                            image.events[static_cast<std::size_t>(pin)].*direction->actions,
                                            *held.find({EventHeldPart(*direction), pin})));
    if (image.enableMap)
        if (const std::vector<int>* masks = held.find({HeldPart::Setting, EnableMapSetting}))
            Append(lines, CompareEnableMap(*image.enableMap, *masks));
    for (int pin = 0; pin < PinCount; ++pin)
        Append(lines, ComparePinWithCopy(image.pins[static_cast<std::size_t>(pin)], pin, numberingBase, held).findings);
    return lines;
}

std::string ComparisonReport(const std::vector<std::string>& differences) {
    std::string report;
    for (const std::string& line : differences)
        report += line + "\r\n";
    if (differences.empty())
        report += std::string(FilesCompareText) + "\r\n";
    return report;
}

} // namespace vexa

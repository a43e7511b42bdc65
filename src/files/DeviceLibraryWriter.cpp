#include "files/DeviceLibraryWriter.h"

#include "files/ConfigFileFormat.h"
#include "files/ConfigFileLines.h"
#include "files/DeviceLibraryFormat.h"
#include "files/FileKeywords.h"

#include <algorithm>

namespace vexa {

using namespace configfile;
using namespace devicelibrary;

namespace {

bool HasStepInUse(const AspectRecord& aspect, int steps) {
    return std::any_of(aspect.steps.begin(), aspect.steps.begin() + steps,
                       [](const AspectStep& step) { return step.instruction != 0; });
}

void WritePinBlock(LineWriter& line, int relative, PinRecord& pin) {
    line.begin(KeyPin, PinIndent).numbers({relative, pin.aspectLayout, pin.initialAspect}).text(pin.description).end();
    WriteConfigLine(line, pin, PinDetailIndent);
    WriteAddressCountLine(line, pin, PinDetailIndent);
    const int steps = StepsInLayout(pin.aspectLayout);
    for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a) {
        const AspectRecord& aspect = pin.aspects[static_cast<std::size_t>(a)];
        if (aspect.description.empty() && !HasStepInUse(aspect, steps))
            continue;
        WriteAspectLine(line, a, aspect, PinDetailIndent);
        for (int s = 0; s < steps; ++s) {
            const AspectStep& step = aspect.steps[static_cast<std::size_t>(s)];
            if (step.instruction != 0)
                WriteStepLine(line, s, step, StepIndent);
        }
    }
}

} // namespace

std::optional<KeywordText> FindKeywordText(const ConfigurationImage& image, int head, int numberingBase) {
    const std::string& name = image.pins.at(static_cast<std::size_t>(head)).deviceDescription;
    if (IsFileKeyword(name))
        return KeywordText{"the device name", name};
    for (const int p : DevicePins(image, head)) {
        const PinRecord& pin = image.pins[static_cast<std::size_t>(p)];
        const std::string pinText = "pin " + std::to_string(p + numberingBase);
        if (IsFileKeyword(pin.description))
            return KeywordText{"the description of " + pinText, pin.description};
        for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a) {
            const std::string& description = pin.aspects[static_cast<std::size_t>(a)].description;
            if (IsFileKeyword(description))
                return KeywordText{"the description of aspect " + std::to_string(a) + " of " + pinText, description};
        }
    }
    return std::nullopt;
}

std::vector<int> DevicePins(const ConfigurationImage& image, int head) {
    std::vector<int> pins{head};
    for (int pin = 0; pin < PinCount; ++pin)
        if (pin != head && pin + image.pins[static_cast<std::size_t>(pin)].deviceReferral == head)
            pins.push_back(pin);
    return pins;
}

std::string FormatDeviceLibrary(ConfigurationImage& image, int head) {
    std::string out;
    LineWriter line(out);
    const std::string& name = image.pins.at(static_cast<std::size_t>(head)).deviceDescription;
    line.begin((std::string(devicelibrary::HeaderName) + " " + name).c_str()).end();
    line.begin(KeyDevice).text(name).end();
    for (const int pin : DevicePins(image, head))
        WritePinBlock(line, ((pin - head) % PinCount + PinCount) % PinCount, image.pins[static_cast<std::size_t>(pin)]);
    line.begin(KeyEnd).end();
    return out;
}

} // namespace vexa

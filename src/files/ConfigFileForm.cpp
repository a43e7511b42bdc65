#include "files/ConfigFileForm.h"

#include "files/ConfigFileEncoding.h"
#include "files/ConfigFileFields.h"
#include "model/StepInstruction.h"

namespace vexa {

using namespace configfile;

namespace {

constexpr std::uint8_t LedDefaultItem = 7;

void SaveModule(ModuleSettings& module) {
    module.idString = FileSafeText(module.idString);
    module.dccPacketRepeat &= 3;
    if (module.lumoFlexAddressing)
        module.nativeMode = false;
    else
        module.lumoFlexBlock = 0;
    // Only bits 0..6 of an LED byte are stored; the default function follows from them.
    for (std::array<std::uint8_t, 8>* items : {&module.ledGreen, &module.ledOrange}) {
        bool any = false;
        for (std::size_t k = 0; k < LedDefaultItem; ++k) {
            (*items)[k] = (*items)[k] != 0 ? 1 : 0;
            any = any || (*items)[k] != 0;
        }
        (*items)[LedDefaultItem] = any ? 0 : CheckGrey;
    }
    if (module.serialBaud >= SerialBaudTexts.size())
        module.serialBaud = 0;
    module.serialDataBits = module.serialDataBits == 8 ? 8 : 7;
    if (module.serialParity != 2 && module.serialParity != 3)
        module.serialParity = 0;
    module.serialStopBits = module.serialStopBits == 2 ? 2 : 1;
}

void SaveConfig(PinRecord& pin) {
    const int inFile = ConfigParamsInFile(pin.configType);
    if (inFile == 0)
        pin.configType = 0;
    for (int n = inFile + 1; n <= ConfigParamCount; ++n)
        pin.param(n) = 0;
    if (pin.configType == ServoType)
        pin.param(2) = ConvertOlderServoOptions(pin.param(2) & StoredServoOptionBits);
}

AspectStep SavedStep(const AspectStep& step) {
    AspectStep saved;
    SplitInstruction(InstructionWithFade(step), saved);
    saved.offset = step.offset;
    saved.par1 = step.par1;
    saved.par2 = step.par2;
    saved.par3 = step.par3;
    return saved;
}

void SaveAspects(PinRecord& pin, bool compact) {
    const int aspects = AspectsInLayout(pin.aspectLayout);
    const int steps = StepsInLayout(pin.aspectLayout);
    for (int a = 0; a < AspectCount; ++a) {
        AspectRecord& aspect = pin.aspects[static_cast<std::size_t>(a)];
        if (a >= aspects || (compact && aspect.description.empty())) {
            aspect = AspectRecord{};
            continue;
        }
        aspect.description = FileSafeText(aspect.description);
        for (int s = 0; s < StepCount; ++s) {
            AspectStep& step = aspect.steps[static_cast<std::size_t>(s)];
            step = s < steps && !(compact && step.instruction == 0) ? SavedStep(step) : AspectStep{};
        }
    }
}

} // namespace

ConfigurationImage ConfigurationAsSaved(const ConfigurationImage& image, bool compact) {
    ConfigurationImage saved = image;
    saved.currentPin = 0;
    saved.currentAspect = 0;
    SaveModule(saved.module);
    for (PinRecord& pin : saved.pins) {
        if (compact && pin.description.empty()) {
            pin = PinRecord{};
            continue;
        }
        pin.description = FileSafeText(pin.description);
        pin.deviceDescription = FileSafeText(pin.deviceDescription);
        SaveConfig(pin);
        SaveAspects(pin, compact);
        pin.liveValue = 0;
    }
    return saved;
}

} // namespace vexa

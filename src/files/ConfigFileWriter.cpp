#include "files/ConfigFileWriter.h"

#include "files/ConfigFileEncoding.h"
#include "files/ConfigFileFormat.h"
#include "files/ConfigFileLines.h"
#include "model/BitFlags.h"

namespace vexa {

using namespace configfile;

namespace {

void WriteModuleLines(LineWriter& line, const ModuleSettings& module) {
    std::string header = HeaderPrefix;
    header += std::to_string(DataFileVersion);
    line.begin(header.c_str()).end();
    line.begin(KeyIdString).text(module.idString).end();

    const int dccFlags = (module.dccPacketRepeat & 3) + 4 * module.dccStateInvert + 8 * module.dccAllowZero;
    line.begin(KeyDcc).numbers({module.dccAddress, module.xdccAddress, dccFlags}).end();

    const int block = module.lumoFlexAddressing ? module.lumoFlexBlock : (module.nativeMode ? NativeModeBlock : 0);
    line.begin(KeyAddressing).numbers({block, module.lumoFlexAddressing ? 1 : 0, module.moduleXAddress});
    for (int group = 0; group < 4; ++group)
        line.number(PackBits(module.groupMask, 4 * group, 4));
    line.end();
    if (module.enforcedXAddress)
        line.begin(KeyEnforcedXAddress).number(*module.enforcedXAddress ? 1 : 0).end();

    line.begin(KeyHardware);
    for (std::size_t b = 0; b < module.hwcSink.size(); ++b)
        line.number(module.hwcSink[b] + 2 * module.hwcSource[b]);
    line.end();

    // Only bits 0..6 of each LED byte are stored; the default function follows from them.
    line.begin(KeyLed).numbers({PackBits(module.ledGreen, 0, 7), PackBits(module.ledOrange, 0, 7)}).end();

    const std::size_t baud = module.serialBaud < SerialBaudTexts.size() ? module.serialBaud : 0;
    line.begin(KeySerialPort).number(module.serialEnable ? 1 : 0).text(SerialBaudTexts[baud]);
    line.numbers({module.serialDataBits, module.serialParity, module.serialStopBits}).end();
}

void WriteEventLines(LineWriter& line, const ConfigurationImage& image) {
    for (const bool on : {true, false}) {
        for (int pin = 0; pin < PinCount; ++pin) {
            const EventRecord& record = image.events[static_cast<std::size_t>(pin)];
            line.begin(on ? KeyEventOn : KeyEventOff).number(pin);
            for (const std::int16_t action : on ? record.onEvents : record.offEvents)
                line.number(action + 1);
            line.end();
        }
    }
    if (image.enableMap) {
        line.begin(KeyEnableMap);
        for (const bool enabled : *image.enableMap)
            line.number(enabled ? 1 : 0);
        line.end();
    }
}

void WritePinLines(LineWriter& line, int pinNumber, PinRecord& pin, bool compact) {
    line.begin(KeyPin).numbers({pinNumber, pin.aspectLayout, pin.initialAspect}).text(pin.description).end();
    line.begin(KeyDevice, PinLineIndent).number(pin.deviceReferral).text(pin.deviceDescription).end();

    // The reader takes a servo option byte above 15 without bit 3 for the older encoding and
    // converts it: the file holds that converted form, so that a load gives back what was saved.
    if (pin.configType == ServoType)
        pin.param(2) = ConvertOlderServoOptions(pin.param(2) & StoredServoOptionBits);
    WriteConfigLine(line, pin, PinLineIndent);
    WriteAddressCountLine(line, pin, PinLineIndent);

    const int steps = StepsInLayout(pin.aspectLayout);
    for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a) {
        const AspectRecord& aspect = pin.aspects[static_cast<std::size_t>(a)];
        if (compact && aspect.description.empty())
            continue;
        WriteAspectLine(line, a, aspect, PinLineIndent);
        for (int s = 0; s < steps; ++s) {
            const AspectStep& step = aspect.steps[static_cast<std::size_t>(s)];
            if (compact && step.instruction == 0)
                continue;
            WriteStepLine(line, s, step, StepLineIndent);
        }
    }
}

} // namespace

std::string FormatConfigurationFile(ConfigurationImage& image, bool compact) {
    std::string out;
    out.reserve(compact ? 8 * 1024 : 64 * 1024);
    LineWriter line(out);
    WriteModuleLines(line, image.module);
    WriteEventLines(line, image);
    for (int pin = 0; pin < PinCount; ++pin) {
        PinRecord& record = image.pins[static_cast<std::size_t>(pin)];
        if (compact && record.description.empty())
            continue;
        WritePinLines(line, pin, record, compact);
    }
    line.begin(KeyEnd).end();
    return out;
}

} // namespace vexa

#include "batch/ConfigurationDiff.h"

#include "events/EventComparison.h"
#include "files/ConfigFileForm.h"
#include "module/SettingComparison.h"
#include "pins/PinComparison.h"

namespace vexa {

namespace {

// A module value both sides hold, with the words that name it when it differs.
struct ModuleValue {
    const char* text;
    bool (*same)(const ModuleSettings&, const ModuleSettings&);
};

// In the order the verification compares the settings; the enforced mode stands before the
// eXtended address, which it belongs to.
const std::vector<ModuleValue>& ModuleValues() {
    static const std::vector<ModuleValue> values{
        {"Hardware configuration does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) {
             return a.hwcSink == b.hwcSink && a.hwcSource == b.hwcSource;
         }},
        {"DCC address does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.dccAddress == b.dccAddress; }},
        {"eXtended DCC address does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.xdccAddress == b.xdccAddress; }},
        {"DCC Options do not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) {
             return a.dccPacketRepeat == b.dccPacketRepeat && a.dccStateInvert == b.dccStateInvert &&
                    a.dccAllowZero == b.dccAllowZero;
         }},
        {"Serial Address Settings do not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) {
             return a.lumoFlexAddressing == b.lumoFlexAddressing && a.nativeMode == b.nativeMode &&
                    a.lumoFlexBlock == b.lumoFlexBlock;
         }},
        {"Enforced eXtended Address does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) {
             return !a.enforcedXAddress || !b.enforcedXAddress || a.enforcedXAddress == b.enforcedXAddress;
         }},
        {"eXtended Address does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.moduleXAddress == b.moduleXAddress; }},
        {"eXtended Group Mask does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.groupMask == b.groupMask; }},
        {"Green LED configuration does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.ledGreen == b.ledGreen; }},
        {"Orange LED configuration does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) { return a.ledOrange == b.ledOrange; }},
        {"Serial Port Configuration does not compare",
         [](const ModuleSettings& a, const ModuleSettings& b) {
             return a.serialEnable == b.serialEnable && a.serialBaud == b.serialBaud &&
                    a.serialDataBits == b.serialDataBits && a.serialParity == b.serialParity &&
                    a.serialStopBits == b.serialStopBits;
         }},
    };
    return values;
}

class Comparison {
public:
    Comparison(const ComparedConfiguration& first, const ComparedConfiguration& second, int numberingBase)
        : first_(first), second_(second), a_(ConfigurationAsSaved(first.image, false)),
          b_(ConfigurationAsSaved(second.image, false)), base_(numberingBase) {}

    std::vector<ComparisonFinding> run() {
        compareModule();
        compareEvents();
        compareEnableMap();
        for (int pin = 0; pin < PinCount; ++pin)
            comparePin(pin);
        return std::move(findings_);
    }

private:
    void differs(std::string text) { findings_.push_back({std::move(text), true}); }
    void differs(const std::vector<std::string>& texts) {
        for (const std::string& text : texts)
            differs(text);
    }
    // Names the value one side holds and the other does not.
    void heldByOne(const std::string& what, bool inFirst) {
        findings_.push_back({what + " only in " + (inFirst ? first_.name : second_.name) + ", not compared", false});
    }

    void compareModule() {
        const ModuleSettings& a = a_.module;
        const ModuleSettings& b = b_.module;
        // The ID in the words of the verification, whose controller side is the other text.
        if (const std::optional<std::vector<int>> other = SettingWireValues(b, ModuleSetting::IdString))
            if (const std::optional<SettingFinding> finding = CompareSetting(a, ModuleSetting::IdString, *other))
                differs(finding->text);
        for (const ModuleValue& value : ModuleValues())
            if (!value.same(a, b))
                differs(value.text);
        if (a.enforcedXAddress.has_value() != b.enforcedXAddress.has_value())
            heldByOne("eXtended Address: enforced mode", a.enforcedXAddress.has_value());
    }

    void compareEvents() {
        for (const EventDirection* direction : {&EventOnDirection(), &EventOffDirection()})
            for (int pin = 0; pin < PinCount; ++pin) {
                const EventActions& a = a_.events[static_cast<std::size_t>(pin)].*direction->actions;
                const EventActions& b = b_.events[static_cast<std::size_t>(pin)].*direction->actions;
                for (int input = 0; input < EventInputCount; ++input) {
                    const auto k = static_cast<std::size_t>(input);
                    if (a[k] != b[k])
                        differs(EventFindingText(*direction, input, pin, base_, a[k], b[k]));
                }
            }
    }

    void compareEnableMap() {
        if (a_.enableMap && b_.enableMap)
            differs(CompareEnableMap(*a_.enableMap, EnableMapWireValues(*b_.enableMap)));
        else if (a_.enableMap || b_.enableMap)
            heldByOne("ECInit: initial enable map", a_.enableMap.has_value());
    }

    void comparePin(int pin) {
        const auto p = static_cast<std::size_t>(pin);
        const std::string prefix = PinFindingPrefix(pin, base_);
        if (first_.pins[p] != second_.pins[p]) {
            heldByOne("Pin " + std::to_string(pin + base_), first_.pins[p]);
            return;
        }
        if (!first_.pins[p])
            return; // neither holds it
        const PinRecord& a = a_.pins[p];
        const PinRecord& b = b_.pins[p];
        if (a.configType != b.configType || a.configParams != b.configParams)
            differs(prefix + "Pinconfig does not compare");
        if (a.aspectLayout != b.aspectLayout)
            differs(AspectLayoutFinding(prefix));
        else
            compareAspects(a, b, prefix);
        if (a.initialAspect != b.initialAspect)
            differs(prefix + "Init does not compare");
        if (a.dccAddressCount != b.dccAddressCount || a.xdccAddressCount != b.xdccAddressCount)
            differs(prefix + "DCC Address Configuration does not compare");
        if (a.lumoAddressCount != b.lumoAddressCount)
            differs(prefix + "Serial Address Configuration does not compare");
        if (a.deviceReferral != b.deviceReferral)
            differs(prefix + "Device Pointer does not compare");
        if (a.description != b.description)
            differs(prefix + "Description does not compare");
        if (a.deviceDescription != b.deviceDescription)
            differs(prefix + "Device Name does not compare");
    }

    void compareAspects(const PinRecord& a, const PinRecord& b, const std::string& prefix) {
        for (int aspect = 0; aspect < AspectsInLayout(a.aspectLayout); ++aspect) {
            const AspectRecord& first = a.aspects[static_cast<std::size_t>(aspect)];
            const AspectRecord& second = b.aspects[static_cast<std::size_t>(aspect)];
            if (first.steps != second.steps)
                differs(AspectFinding(prefix, aspect));
            if (first.description != second.description)
                differs(prefix + "Aspect " + std::to_string(aspect) + " description does not compare");
        }
    }

    const ComparedConfiguration& first_;
    const ComparedConfiguration& second_;
    const ConfigurationImage a_;
    const ConfigurationImage b_;
    const int base_;
    std::vector<ComparisonFinding> findings_;
};

} // namespace

std::vector<ComparisonFinding> CompareConfigurations(const ComparedConfiguration& first,
                                                     const ComparedConfiguration& second, int numberingBase) {
    return Comparison(first, second, numberingBase).run();
}

bool ConfigurationsCompare(const std::vector<ComparisonFinding>& findings) {
    for (const ComparisonFinding& finding : findings)
        if (finding.differs)
            return false;
    return true;
}

std::string ComparisonReport(const std::vector<ComparisonFinding>& findings) {
    std::string report;
    for (const ComparisonFinding& finding : findings)
        report += finding.text + "\r\n";
    if (ConfigurationsCompare(findings))
        report += std::string(FilesCompareText) + "\r\n";
    return report;
}

} // namespace vexa

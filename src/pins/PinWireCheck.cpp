#include "pins/PinWireCheck.h"

#include "link/StepEncoding.h"
#include "model/WireRange.h"
#include "pins/PinComparison.h"
#include "pins/PinConfigRequests.h"

#include <vector>

namespace vexa {

namespace {

constexpr WireRange ThreeBitCount{0, 7};
constexpr WireRange OneBitCount{0, 1};
constexpr int LastInitialAspectByte = 14; // low nibble 15 means "none"

// Index of the first type-block byte after the code, the pin and the type: the value that
// stands for parameter 1 (or the live value).
constexpr int FirstValueIndex = 3;

// The first value of a type block that the wire cannot carry, named by its place.
std::string BlockProblem(const std::vector<int>& request, int setting) {
    for (std::size_t i = FirstValueIndex; i < request.size(); ++i) {
        const int n = static_cast<int>(i) - FirstValueIndex + 1;
        const std::string name =
            n == 1 && setting == ActiveSetting ? std::string("live value") : "parameter " + std::to_string(n);
        const std::string problem = WireProblem(name, request[i], DataByteRange);
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::vector<int> TypeRequest(const PinRecord& pin, int pinNumber, int setting) {
    PinRecord copy = pin; // the request masks the servo flags in the record it is given
    return PinConfigWriteRequest(copy, pinNumber, setting);
}

} // namespace

std::string StepFieldProblem(const AspectStep& step, StepField field) {
    const StepWire wire = EncodeStep(step);
    const bool split = step.instruction == SendSerial1Code || step.instruction == SendSerial2Code;
    switch (field) {
    case StepField::Instruction:
        return WireProblem("instruction", wire.instruction, DataByteRange);
    case StepField::Offset:
        return split ? std::string() : WireProblem("offset", step.offset, DataByteRange);
    case StepField::Par1:
        return split ? std::string() : WireProblem("parameter 1", step.par1, DataByteRange);
    case StepField::Par2:
        return split ? std::string() : WireProblem("parameter 2", step.par2, DataByteRange);
    case StepField::Par3:
        return WireProblem("parameter 3", step.par3, DataByteRange);
    }
    return {};
}

std::string LayoutProblem(const PinRecord& pin) {
    const int layout = pin.aspectLayout;
    if (layout == LayoutNone || layout == LayoutTwelveByThree || layout == LayoutFourByNine)
        return {};
    return "aspect layout = " + std::to_string(layout) + " cannot be sent (0, 2 or 3)";
}

std::string InitialAspectProblem(const PinRecord& pin) {
    const int aspects = AspectsInLayout(pin.aspectLayout);
    const int last = aspects > 0 ? aspects - 1 : LastInitialAspectByte;
    return WireProblem("initial aspect", pin.initialAspect - 1, {-1, last});
}

std::string AddressCountProblem(const PinRecord& pin, AddressCount count) {
    switch (count) {
    case AddressCount::Dcc:
        return WireProblem("DCC address count", pin.dccAddressCount, ThreeBitCount);
    case AddressCount::XDcc:
        return WireProblem("extended DCC address count", pin.xdccAddressCount, OneBitCount);
    case AddressCount::Lumo:
        return WireProblem("serial address count", pin.lumoAddressCount, ThreeBitCount);
    }
    return {};
}

std::string DeviceReferralProblem(const PinRecord& pin, int pinNumber, int numberingBase) {
    const std::string problem =
        WireProblem("device referral", pin.deviceReferral, {-pinNumber, PinCount - 1 - pinNumber});
    if (problem.empty())
        return {};
    return problem + ": the head pin lies outside pins " + std::to_string(numberingBase) + ".." +
           std::to_string(numberingBase + PinCount - 1);
}

std::string ConfigParamProblem(const PinRecord& pin, int n) {
    const std::vector<int> request = TypeRequest(pin, 0, FlashSetting);
    const std::size_t index = static_cast<std::size_t>(FirstValueIndex + n - 1);
    if (n < 1 || index >= request.size())
        return {};
    return WireProblem("parameter " + std::to_string(n), request[index], DataByteRange);
}

std::string AspectStepsProblem(const PinRecord& pin, int pinNumber, int aspect, int numberingBase) {
    const std::string prefix = PinFindingPrefix(pinNumber, numberingBase);
    const std::string layout = LayoutProblem(pin);
    if (!layout.empty())
        return prefix + layout;
    if (aspect < 0 || aspect >= AspectsInLayout(pin.aspectLayout))
        return {};
    const AspectRecord& record = pin.aspects[static_cast<std::size_t>(aspect)];
    for (int s = 0; s < StepsInLayout(pin.aspectLayout); ++s) {
        const AspectStep& step = record.steps[static_cast<std::size_t>(s)];
        const std::string problem =
            FirstProblem(prefix + "step " + std::to_string(s) + " of aspect " + std::to_string(aspect) + ": ",
                         {StepFieldProblem(step, StepField::Instruction), StepFieldProblem(step, StepField::Offset),
                          StepFieldProblem(step, StepField::Par1), StepFieldProblem(step, StepField::Par2),
                          StepFieldProblem(step, StepField::Par3)});
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::string AspectPartProblem(const PinRecord& pin, int pinNumber, int numberingBase) {
    const std::string own =
        FirstProblem(PinFindingPrefix(pinNumber, numberingBase),
                     {LayoutProblem(pin), InitialAspectProblem(pin), AddressCountProblem(pin, AddressCount::XDcc),
                      AddressCountProblem(pin, AddressCount::Dcc), AddressCountProblem(pin, AddressCount::Lumo),
                      DeviceReferralProblem(pin, pinNumber, numberingBase)});
    if (!own.empty())
        return own;
    for (int aspect = 0; aspect < AspectsInLayout(pin.aspectLayout); ++aspect) {
        const std::string problem = AspectStepsProblem(pin, pinNumber, aspect, numberingBase);
        if (!problem.empty())
            return problem;
    }
    return {};
}

std::string TypeBlockProblem(const PinRecord& pin, int pinNumber, int setting, int numberingBase) {
    return FirstProblem(PinFindingPrefix(pinNumber, numberingBase),
                        {BlockProblem(TypeRequest(pin, pinNumber, setting), setting)});
}

std::string WholePinProblem(const PinRecord& pin, int pinNumber, int numberingBase) {
    const std::string aspects = AspectPartProblem(pin, pinNumber, numberingBase);
    return aspects.empty() ? TypeBlockProblem(pin, pinNumber, FlashSetting, numberingBase) : aspects;
}

std::string PinsProblem(const ConfigurationImage& image, int numberingBase, int head) {
    for (int p = 0; p < PinCount; ++p) {
        if (head >= 0 && HeadPinOf(image, p) != head)
            continue;
        const std::string problem = WholePinProblem(image.pins[static_cast<std::size_t>(p)], p, numberingBase);
        if (!problem.empty())
            return problem;
    }
    return {};
}

} // namespace vexa

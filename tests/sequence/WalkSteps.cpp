#include "WalkSteps.h"

#include "events/EventSlots.h"
#include "module/DccAddressing.h"
#include "pins/PinConfigTypes.h"

#include <array>
#include <utility>

namespace vexa::sequence {

namespace {

enum Edit : int {
    EditIdString,
    EditDccAddress,
    EditModuleFlag,
    EditAddressing,
    EditEnforced,
    EditPinType,
    EditPinParameter,
    EditPinLayout,
    EditPinCounts,
    EditStep,
    EditEventAction,
    EditEnableMap,
    EditClearPin,
    EditKinds,
};

constexpr int ValueSpan = 1 << 20;
constexpr int IdLimit = 12;
constexpr int LayoutStopSpan = 8000; // bytes: a backup of three controllers sends about this many

std::string Toggled(bool& flag) {
    flag = !flag;
    return flag ? "on" : "off";
}

std::string ShownPin(int pin, int numberingBase) {
    return "pin " + std::to_string(pin + numberingBase);
}

// A value within 0..last, or (for an unsendable edit) a little beyond.
int Within(int c, int last, bool beyond) {
    return c % (beyond ? last + last / 4 + 2 : last + 1);
}

std::string EditPin(ConfigurationImage& image, int pinNumber, int what, int c, int base) {
    PinRecord& pin = image.pins[static_cast<std::size_t>(pinNumber)];
    const std::string name = ShownPin(pinNumber, base) + ": ";
    const bool beyond = c % 9 == 0; // now and then a value the wire cannot carry
    switch (what) {
    case EditPinType:
        if (c % 5 == 4) {
            pin.param(2) |= 64;
            return name + "parameter 2 bit 6 set";
        }
        ChooseTypeFamily(pin, static_cast<TypeFamily>(c % 4));
        return name + "type family " + std::to_string(c % 4);
    case EditPinParameter: {
        const int n = 1 + c % ConfigParamCount;
        pin.param(n) = static_cast<std::uint8_t>(Within(c / ConfigParamCount, 127, beyond));
        return name + "parameter " + std::to_string(n) + " = " + std::to_string(pin.param(n));
    }
    case EditPinLayout: {
        image.currentPin = pinNumber;
        ApplyLayoutOption(image, c % 3);
        const int aspects = AspectsInLayout(pin.aspectLayout);
        pin.initialAspect = static_cast<std::uint8_t>(Within(c / 3, aspects, beyond));
        return name + "layout " + std::to_string(pin.aspectLayout) + ", initial aspect " +
               std::to_string(pin.initialAspect - 1);
    }
    case EditPinCounts:
        pin.dccAddressCount = static_cast<std::uint8_t>(Within(c, 7, beyond));
        pin.xdccAddressCount = static_cast<std::uint8_t>(Within(c / 10, 1, beyond));
        pin.lumoAddressCount = static_cast<std::uint8_t>(Within(c / 30, 7, beyond));
        return name + "address counts " + std::to_string(pin.dccAddressCount) + "," +
               std::to_string(pin.xdccAddressCount) + "," + std::to_string(pin.lumoAddressCount);
    case EditStep: {
        if (pin.aspectLayout != LayoutFourByNine && pin.aspectLayout != LayoutTwelveByThree)
            pin.aspectLayout = LayoutTwelveByThree;
        const int aspect = c % AspectsInLayout(pin.aspectLayout);
        const int index = (c / AspectCount) % StepsInLayout(pin.aspectLayout);
        AspectStep& step = pin.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(index)];
        const int field = (c / 200) % 5;
        const auto value = static_cast<std::uint8_t>(Within(c / 1000, field == 0 ? 63 : 127, beyond));
        std::array<std::uint8_t*, 5> fields{&step.instruction, &step.offset, &step.par1, &step.par2, &step.par3};
        *fields[static_cast<std::size_t>(field)] = value;
        step.fade = static_cast<std::uint8_t>(c / 7 % 2);
        return name + "aspect " + std::to_string(aspect) + " step " + std::to_string(index) + " field " +
               std::to_string(field) + " = " + std::to_string(value);
    }
    case EditEventAction: {
        EventRecord& events = image.events[static_cast<std::size_t>(pinNumber)];
        EventActions& actions = c % 2 == 0 ? events.onEvents : events.offEvents;
        const int input = c / 2 % EventInputCount;
        const int action = beyond && c % 4 == 0 ? 200 : Within(c / 8, LastEventAction + 1, beyond) - 1;
        actions[static_cast<std::size_t>(input)] = static_cast<std::int16_t>(action);
        return name + (c % 2 == 0 ? "Event-On(" : "Event-Off(") + std::to_string(input) +
               ") = " + std::to_string(action);
    }
    default:
        ClearPinRecord(image, pinNumber);
        return name + "cleared";
    }
}

std::string EditModule(ModuleSettings& module, int what, int b, int c) {
    const bool beyond = c % 9 == 0;
    switch (what) {
    case EditIdString: {
        std::string text;
        const int length = beyond ? IdLimit + 1 + c % 4 : c % (IdLimit + 1);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>('A' + (c / 17 + 5 * i) % 26);
        module.idString = text;
        return "ID string \"" + text + "\"";
    }
    case EditDccAddress:
        module.dccAddress = 1 + Within(c, HighestDccAddress - 1, beyond);
        return "DCC address " + std::to_string(module.dccAddress);
    case EditModuleFlag:
        switch (b % 5) {
        case 0: {
            std::uint8_t& item = module.ledGreen[static_cast<std::size_t>(c % 7)];
            item = item == 0 ? 1 : 0;
            return "green LED item " + std::to_string(c % 7) + (item == 0 ? " off" : " on");
        }
        case 1:
            return "hardware sink " + std::to_string(c % 4) + " " +
                   Toggled(module.hwcSink[static_cast<std::size_t>(c % 4)]);
        case 2:
            return "serial port " + Toggled(module.serialEnable);
        case 3:
            module.serialBaud = static_cast<std::uint8_t>(c % 8);
            return "serial baud " + std::to_string(module.serialBaud);
        default:
            return "DCC state invert " + Toggled(module.dccStateInvert);
        }
    case EditAddressing:
        switch (b % 5) {
        case 0:
            module.nativeMode = false;
            return "flex addressing " + Toggled(module.lumoFlexAddressing);
        case 1:
            module.lumoFlexAddressing = false;
            return "native mode " + Toggled(module.nativeMode);
        case 2:
            // Never beyond 127: the field keeps its block within 0..127, the file refuses a larger
            // one and the wire carries seven bits, so no way into the program holds one.
            module.lumoFlexBlock = static_cast<std::uint8_t>(Within(c, 127, false));
            return "flex block " + std::to_string(module.lumoFlexBlock);
        case 3:
            module.moduleXAddress = static_cast<std::uint8_t>(Within(c, 95, beyond));
            return "module eXtended address " + std::to_string(module.moduleXAddress);
        default:
            return "group mask bit " + std::to_string(c % 16) + " " +
                   Toggled(module.groupMask[static_cast<std::size_t>(c % 16)]);
        }
    default: {
        const std::array<std::optional<bool>, 3> modes{std::nullopt, false, true};
        module.enforcedXAddress = modes[static_cast<std::size_t>(c % 3)];
        return std::string("enforced eXtended address ") +
               (module.enforcedXAddress ? (*module.enforcedXAddress ? "on" : "off") : "unknown");
    }
    }
}

} // namespace

int Pick(Random& random, int count) {
    return static_cast<int>(random() % static_cast<unsigned>(count));
}

WalkShape DrawShape(Random& random, bool layout) {
    WalkShape shape;
    shape.window = Pick(random, 2) == 1;
    shape.firstBase = Pick(random, 2);
    shape.oneWay = Pick(random, 8) == 0;
    shape.undo = UndoBuilt && shape.window;
    if (layout) {
        shape.modules = {Pick(random, 3), 3 + Pick(random, 4), 8 + Pick(random, 8)};
    } else if (Pick(random, 4) == 0) {
        shape.modules = {Pick(random, 16)};
    }
    return shape;
}

Step DrawEdit(Random& random, bool sendable) {
    Step step{Op::Edit, Pick(random, EditKinds), Pick(random, PinCount), Pick(random, ValueSpan)};
    if (sendable && step.c % 9 == 0)
        ++step.c; // never the value beyond the wire
    return step;
}

Step DrawStep(Random& random, const WalkShape& shape) {
    struct Weighted {
        Op op;
        int weight;
    };
    const bool layout = shape.modules.size() > 1;
    const int undo = shape.undo ? 3 : 0;
    const std::array<Weighted, 27> table{{
        {Op::ReadAll, 7},
        {Op::WriteAll, 5},
        {Op::WriteChanges, 8},
        {Op::VerifyAll, 5},
        {Op::ReadPin, 2},
        {Op::WritePin, 3},
        {Op::RoundTrip, 3},
        {Op::Save, 4},
        {Op::SaveCompact, 2},
        {Op::Load, 5},
        {Op::OlderFile, 1},
        {Op::Diff, 3},
        {Op::Edit, 22},
        {Op::Undo, undo},
        {Op::Redo, undo / 2},
        {Op::Fault, 4},
        {Op::Wake, 2},
        {Op::StopAfter, 3},
        {Op::Unplug, 1},
        {Op::Replug, 2},
        {Op::Swap, 3},
        {Op::ModuleAddress, 2},
        {Op::OneWay, 2},
        {Op::Restart, 1},
        {Op::BackupLayout, layout ? 3 : 0},
        {Op::VerifyLayout, layout ? 3 : 0},
        {Op::RestoreLayout, layout ? 2 : 0},
    }};
    int total = 0;
    for (const Weighted& entry : table)
        total += entry.weight;
    int draw = Pick(random, total);
    Op op = Op::ReadAll;
    for (const Weighted& entry : table) {
        if (draw < entry.weight) {
            op = entry.op;
            break;
        }
        draw -= entry.weight;
    }
    const int module = Pick(random, static_cast<int>(shape.modules.size()));
    switch (op) {
    case Op::Edit:
        return DrawEdit(random, false);
    case Op::ReadPin:
    case Op::WritePin:
        return {op, Pick(random, PinCount)};
    case Op::RoundTrip:
    case Op::Save:
    case Op::SaveCompact:
        return {op, Pick(random, FixtureSlot)};
    case Op::Load:
        return {op, Pick(random, 10) == 0 ? FixtureSlot : Pick(random, FixtureSlot)};
    case Op::OlderFile:
        return {op, Pick(random, FileSlots), Pick(random, FixtureSlot)};
    case Op::Diff:
        return {op, Pick(random, FileSlots), Pick(random, FileSlots)};
    case Op::Fault:
        return {op, Pick(random, 4), Pick(random, 10) == 0 ? -1 : 1 + Pick(random, 3)};
    case Op::StopAfter:
        return {op, 1 + Pick(random, 600)};
    case Op::Swap:
        return {op, module, Pick(random, ValueSpan)};
    case Op::ModuleAddress:
        return {op, Pick(random, 3) == 0 ? Pick(random, 16) : shape.modules[static_cast<std::size_t>(module)]};
    default:
        return {op};
    }
}

std::optional<Step> DrawAsideStep(Random& aside, const WalkShape& shape, int numberingBase) {
    const bool layout = shape.modules.size() > 1;
    if (Pick(aside, layout ? 16 : 32) == 0)
        return Step{Op::Base, 1 - numberingBase};
    if (layout && Pick(aside, 32) == 0)
        return Step{Op::StopAfter, 1 + Pick(aside, LayoutStopSpan)};
    return std::nullopt;
}

int BaseAfter(const Step& step, int numberingBase) {
    return step.op == Op::Base ? step.a : numberingBase;
}

std::string ApplyEdit(ConfigurationImage& image, const Step& step, int numberingBase) {
    switch (step.a) {
    case EditIdString:
    case EditDccAddress:
    case EditModuleFlag:
    case EditAddressing:
    case EditEnforced:
        return EditModule(image.module, step.a, step.b, step.c);
    case EditEnableMap:
        if (step.c % 3 == 0) {
            image.enableMap.reset();
            return "enable map unknown";
        } else {
            EnableMap map{};
            for (int i = 0; i < EnableMapSize; ++i)
                map[static_cast<std::size_t>(i)] = (step.c >> i & 1) != 0;
            image.enableMap = map;
            return "enable map " + std::to_string(step.c & 255);
        }
    default:
        return EditPin(image, step.b % PinCount, step.a, step.c, numberingBase);
    }
}

std::string Describe(const Step& step, int numberingBase) {
    const auto file = [](int slot) {
        return slot == FixtureSlot ? std::string("rich.dat") : "f" + std::to_string(slot) + ".dat";
    };
    static const std::array<const char*, 4> faults{"drop", "corrupt", "stray", "late"};
    switch (step.op) {
    case Op::ReadAll:
        return "read-all";
    case Op::WriteAll:
        return "write-all";
    case Op::WriteChanges:
        return "write-changes";
    case Op::VerifyAll:
        return "verify-all";
    case Op::ReadPin:
        return "read-pin " + std::to_string(step.a + numberingBase);
    case Op::WritePin:
        return "write-pin " + std::to_string(step.a + numberingBase);
    case Op::RoundTrip:
        return "read-all save " + file(step.a) + " load " + file(step.a) + " verify-all write-changes";
    case Op::Save:
        return "save " + file(step.a);
    case Op::SaveCompact:
        return "save-compact " + file(step.a);
    case Op::Load:
        return "load " + file(step.a);
    case Op::OlderFile:
        return "older file: " + file(step.a) + " without its FXA and IEE lines as " + file(step.b);
    case Op::Diff:
        return "diff " + file(step.a) + " " + file(step.b);
    case Op::Edit: {
        ConfigurationImage scratch;
        return "edit " + ApplyEdit(scratch, step, numberingBase) + " (edit " + std::to_string(step.a) + "," +
               std::to_string(step.b) + "," + std::to_string(step.c) + ")";
    }
    case Op::Undo:
        return "undo";
    case Op::Redo:
        return "redo";
    case Op::Fault:
        return std::string("fault: ") + faults[static_cast<std::size_t>(step.a % 4)] + " " +
               (step.b < 0 ? std::string("every answer") : std::to_string(step.b) + " answer(s)");
    case Op::Wake:
        return "the controllers answer again";
    case Op::StopAfter:
        return "Stop once " + std::to_string(step.a) + " bytes of the next operation went out";
    case Op::Unplug:
        return "unplug";
    case Op::Replug:
        return "replug";
    case Op::Swap:
        return "controller " + std::to_string(step.a) + " swapped for another one (state " + std::to_string(step.b) +
               ")";
    case Op::ModuleAddress:
        return "module address " + std::to_string(step.a + numberingBase);
    case Op::OneWay:
        return "Bidirectional Comm. switched over by the user";
    case Op::Base:
        return std::string("\"Start numbering at 1\" ") + (step.a == 1 ? "ticked" : "unticked") + " (--base " +
               std::to_string(step.a) + " from here on)";
    case Op::Restart:
        return "program started anew";
    case Op::BackupLayout:
        return "backup-layout layout";
    case Op::VerifyLayout:
        return "verify-layout layout";
    case Op::RestoreLayout:
        return "restore-layout layout";
    }
    return "?";
}

} // namespace vexa::sequence

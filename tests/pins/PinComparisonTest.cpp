// The marks of a pin's fields against what the controller holds: each edit marks its own field,
// and a value the wire does not carry marks nothing.

#include "pins/PinComparison.h"

#include "link/StepEncoding.h"

#include "TestSeams.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

constexpr int Pin = 4;

// A servo pin with four aspects whose step 2 of aspect 1 sends two byte values split in halves.
PinRecord HeldPin() {
    PinRecord pin;
    pin.configType = 1;
    pin.configParams = {64, 8, 70, 5, 6, 7, 8, 9, 10, 11, 12};
    pin.aspectLayout = LayoutFourByNine;
    pin.initialAspect = 2;
    pin.aspects[1].steps[2] = AspectStep{SendSerial1Code, 0, 0, 200, 130, 3};
    pin.aspects[1].steps[3] = AspectStep{39, 1, 4, 20, 0, 0};
    return pin;
}

TEST(PinComparison, EachEditMarksItsOwnFieldAndAValueTheWireDoesNotCarryMarksNothing) {
    using Fields = PinFieldStates;
    struct Case {
        const char* edit;
        std::function<void(PinRecord&)> change;
        std::function<HeldState(const Fields&)> field; // the field the edit marks
        HeldState pin;
    };
    const std::vector<Case> cases{
        {"nothing", [](PinRecord&) {}, [](const Fields& f) { return f.steps[3].fade; }, HeldState::Same},
        {"the fade of a step", [](PinRecord& p) { p.aspects[1].steps[3].fade = 0; },
         [](const Fields& f) { return f.steps[3].fade; }, HeldState::Changed},
        {"the offset of a SendSerial step (not sent)", [](PinRecord& p) { p.aspects[1].steps[2].offset = 9; },
         [](const Fields& f) { return f.steps[2].offset; }, HeldState::Same},
        {"parameter 2 of a SendSerial step", [](PinRecord& p) { p.aspects[1].steps[2].par2 = 2; },
         [](const Fields& f) { return f.steps[2].params[1]; }, HeldState::Changed},
        {"servo parameter 5", [](PinRecord& p) { p.param(5) = 50; }, [](const Fields& f) { return f.params[4]; },
         HeldState::Changed},
        {"the basic DCC count", [](PinRecord& p) { p.dccAddressCount = 3; }, [](const Fields& f) { return f.dccCount; },
         HeldState::Changed},
        {"the initial aspect", [](PinRecord& p) { p.initialAspect = 0; },
         [](const Fields& f) { return f.initialAspect; }, HeldState::Changed},
    };
    for (const Case& c : cases) {
        test::TestBench bench;
        PinRecord& record = bench.session.image.pins[Pin];
        record = HeldPin();
        HoldPinParts(bench.session.controllerCopy(), record, Pin);
        c.change(record);
        const Fields fields = PinFieldStatesOf(bench.session, Pin, 1);
        EXPECT_EQ(c.field(fields), c.pin) << c.edit;
        EXPECT_EQ(PinState(bench.session, Pin), c.pin) << c.edit;
        // Only that field: the step row of another step and the other kinds stay the same.
        EXPECT_EQ(fields.steps[0].instruction, HeldState::Same) << c.edit;
        EXPECT_EQ(fields.lumoCount, HeldState::Same) << c.edit;
    }

    // Another layout marks the layout and every step field; another type every parameter.
    test::TestBench bench;
    PinRecord& record = bench.session.image.pins[Pin];
    record = HeldPin();
    HoldPinParts(bench.session.controllerCopy(), record, Pin);
    record.aspectLayout = LayoutTwelveByThree;
    record.configType = 2;
    const Fields fields = PinFieldStatesOf(bench.session, Pin, 1);
    EXPECT_EQ(fields.layout, HeldState::Changed);
    EXPECT_EQ(fields.steps[0].params[2], HeldState::Changed);
    EXPECT_EQ(fields.type, HeldState::Changed);
    EXPECT_EQ(fields.params[10], HeldState::Changed);
    // Nothing held for another pin: not known.
    EXPECT_EQ(PinState(bench.session, Pin + 1), HeldState::Unknown);
}

} // namespace
} // namespace vexa

#include "app/EditHistory.h"
#include "model/ConfigurationChange.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

// Each kind of change is named by the place the window shows it, with pin numbers from the
// numbering base; selection and live values are no change.
TEST(ConfigurationChange, NamesThePlaceThatChanged) {
    struct Case {
        const char* expected;
        std::function<void(ConfigurationImage&)> change;
        int base = 1;
    };
    const Case cases[] = {
        {"", [](ConfigurationImage& image) { image.currentPin = 5; }},
        {"", [](ConfigurationImage& image) { image.pins[2].liveValue = 90; }},
        {"Pin 7 Aspect 2 step 3", [](ConfigurationImage& image) { image.pins[6].aspects[2].steps[3].par1 = 4; }},
        {"Pin 6 Aspect 2 step 3", [](ConfigurationImage& image) { image.pins[6].aspects[2].steps[3].fade = 1; }, 0},
        {"Pin 7 Aspect 2",
         [](ConfigurationImage& image) {
             image.pins[6].aspects[2].steps[3].par1 = 4;
             image.pins[6].aspects[2].steps[4].par1 = 4;
         }},
        {"Pin 7 Aspect 0 description", [](ConfigurationImage& image) { image.pins[6].aspects[0].description = "Red"; }},
        {"Pin 1 configuration", [](ConfigurationImage& image) { image.pins[0].configType = 2; }},
        {"Pin 1 description", [](ConfigurationImage& image) { image.pins[0].description = "Signal"; }},
        {"Pin 1",
         [](ConfigurationImage& image) {
             image.pins[0].description = "Signal";
             image.pins[0].aspectLayout = LayoutFourByNine;
         }},
        {"Pins 3, 4 and 5",
         [](ConfigurationImage& image) {
             for (int p : {2, 3, 4})
                 image.pins[p].description.assign(1, 'x'); // not = "x": GCC 12 -O3 warns falsely (-Wrestrict)
         }},
        {"32 pins",
         [](ConfigurationImage& image) {
             for (PinRecord& pin : image.pins)
                 pin.configType = 3;
         }},
        {"Events of pin 4", [](ConfigurationImage& image) { image.events[3].offEvents[1] = 7; }},
        {"Events of 32 pins",
         [](ConfigurationImage& image) {
             for (EventRecord& event : image.events)
                 event.onEvents[0] = 2;
         }},
        {"Initial enable map", [](ConfigurationImage& image) { image.enableMap = EnableMap{true}; }},
        {"ID String", [](ConfigurationImage& image) { image.module.idString = "Depot"; }},
        {"DCC", [](ConfigurationImage& image) { image.module.dccAllowZero = true; }},
        {"Serial Addressing Options", [](ConfigurationImage& image) { image.module.groupMask[9] = true; }},
        {"LED Control", [](ConfigurationImage& image) { image.module.ledOrange[7] = 0; }},
        {"Hardware Config", [](ConfigurationImage& image) { image.module.hwcSource[1] = true; }},
        {"Serial Port", [](ConfigurationImage& image) { image.module.serialStopBits = 2; }},
        {"General settings",
         [](ConfigurationImage& image) {
             image.module.idString = "Depot";
             image.module.serialEnable = true;
         }},
        {"Several changes",
         [](ConfigurationImage& image) {
             image.module.idString = "Depot";
             image.pins[1].description.assign(1, 'x');
         }},
    };
    for (const Case& c : cases) {
        const ConfigurationImage before;
        ConfigurationImage after = before;
        c.change(after);
        EXPECT_EQ(DescribeChange(before, after, c.base), c.expected);
        EXPECT_EQ(SameConfiguration(before, after), std::string(c.expected).empty()) << c.expected;
    }
}

EditState State(const std::string& id, const std::string& file = {}) {
    EditState state;
    state.image.module.idString = id;
    state.file = file;
    return state;
}

// Undo goes back step by step to the start and redo forward again; a new change drops what was
// undone; the selection stays where the step was made; the live values follow the controller;
// a loaded file goes back with its step, a name saved under stays.
TEST(EditHistory, UndoAndRedoWalkTheStepsWithTheirNamesAndFiles) {
    EditHistory history(3);
    history.reset(State("start", "a.dat"));
    EXPECT_FALSE(history.record(State("start", "a.dat"), "nothing"));
    EXPECT_FALSE(history.canUndo());

    EditState one = State("one", "a.dat");
    one.image.currentPin = 4;
    EXPECT_TRUE(history.record(one, "ID String"));
    EXPECT_TRUE(history.record(State("two", "b.dat"), "Load File b.dat"));
    EXPECT_FALSE(history.record(State("two", "c.dat"), "")); // saved as c.dat
    EXPECT_EQ(history.undoName(), "Load File b.dat");

    EditState current = history.now();
    current.image.pins[0].liveValue = 77;
    EditState back = history.undo(current);
    EXPECT_EQ(back.image.module.idString, "one");
    EXPECT_EQ(back.file, "a.dat"); // the load brought b.dat
    EXPECT_EQ(back.image.pins[0].liveValue, 77);
    EXPECT_EQ(history.redoName(), "Load File b.dat");
    back = history.undo(back);
    EXPECT_EQ(back.image.module.idString, "start");
    EXPECT_EQ(back.image.currentPin, 4) << "where the step was made";
    EXPECT_FALSE(history.canUndo());

    EditState again = history.redo(back);
    EXPECT_EQ(again.image.module.idString, "one");
    again = history.redo(again);
    EXPECT_EQ(again.file, "c.dat");
    EXPECT_FALSE(history.canRedo());

    history.undo(again);
    EXPECT_TRUE(history.record(State("other"), "ID String"));
    EXPECT_FALSE(history.canRedo());

    // Typing on in one field joins the latest step; typing back to where it began removes it.
    EditHistory typing;
    typing.reset(State("Dep"));
    typing.record(State("Depo"), "ID String", true);
    EXPECT_TRUE(typing.record(State("Depot"), "ID String", true));
    EXPECT_EQ(typing.undo(typing.now()).image.module.idString, "Dep") << "one step for both keys";
    typing.redo(typing.now());
    EXPECT_TRUE(typing.record(State("Dep"), "ID String", true));
    EXPECT_FALSE(typing.canUndo()) << "typed back: the step is gone";

    // Deeper than three steps: the oldest is forgotten.
    for (const char* id : {"x", "y", "z", "w"})
        history.record(State(id), id);
    int steps = 0;
    for (EditState state = history.now(); history.canUndo(); ++steps)
        state = history.undo(state);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(history.now().image.module.idString, "x");
}

} // namespace
} // namespace vexa

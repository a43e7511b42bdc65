#include "../files/ConfigFileTestSupport.h"
#include "TestSeams.h"

#include "core/Platform.h"
#include "files/DeviceLibraryActions.h"
#include "files/DeviceLibraryWriter.h"
#include "pins/InstructionTable.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"
#include "pins/StepRules.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vexa::test {
namespace {

// The devices of the shipped library, as the program finds it beside itself.
class ShippedDevices : public ::testing::Test {
protected:
    void SetUp() override {
        Session session{prompter, clock, provider};
        ScriptedFileDialogs dialogs;
        ASSERT_TRUE(LoadStandardDeviceLibrary(session, dialogs, ProgramFolder()));
        catalogue = session.devices;
    }

    RecordingPrompter prompter;
    FakeClock clock;
    ScriptedPortProvider provider;
    DeviceCatalogue catalogue;
};

// Every device of the shipped library, loaded at the first pin, the middle and where it wraps
// past pin 31, is written to a blank simulated controller and verifies; and every step is one
// the pin page offers unchanged.
TEST_F(ShippedDevices, EveryDeviceLoadsWritesAndVerifiesAtPins0_17_30) {
    ASSERT_GE(catalogue.entries.size(), 8u);
    EXPECT_NE(catalogue.find("Signal 3 aspects"), -1);

    for (const DeviceCatalogue::Entry& entry : catalogue.entries) {
        for (const int start : {0, 17, 30}) {
            Session session{prompter, clock, provider};
            session.devices = catalogue;
            session.port.port = MakeSimulatorPort(std::make_shared<Simulator>());
            ASSERT_TRUE(session.port.port->open(SimulatorPortName));
            ASSERT_TRUE(LoadDevice(session, entry.name, start)) << entry.name << " " << prompter.last();

            const PinRecord& head = session.image.pins[static_cast<std::size_t>(start)];
            EXPECT_EQ(head.deviceDescription, entry.name);
            for (const PinRecord& pin : session.image.pins) {
                if (pin.description.empty())
                    continue;
                EXPECT_NE(pin.configType, 0) << entry.name << ": " << pin.description;
                for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a)
                    for (const AspectStep& step : pin.aspects[static_cast<std::size_t>(a)].steps) {
                        AspectStep shown = step;
                        NormaliseStep(shown);
                        EXPECT_EQ(shown, step) << entry.name << " aspect " << a;
                        EXPECT_TRUE(InstructionOf(step.instruction).named()) << entry.name;
                    }
            }

            ASSERT_TRUE(WriteDevice(session, start)) << entry.name;
            ASSERT_TRUE(RunVerifyAllPins(session)) << entry.name << " at " << start << "\n"
                                                   << session.verificationReport;
            EXPECT_TRUE(session.verificationReport.ends_with("Verify OK"));
        }
    }
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// Outputs a step drives from its target pin on: "Multibit n" n, "Multiblink n" n, others 1.
int OutputsOfStep(const AspectStep& step) {
    const InstructionEntry& entry = InstructionOf(step.instruction);
    if (entry.helpSelector >= 2 && entry.helpSelector <= 7)
        return entry.helpSelector;
    if (entry.name.starts_with("Multiblink "))
        return std::stoi(entry.name.substr(std::string("Multiblink ").size()));
    return 1;
}

// What makes a device of the shipped library usable on a layout: each pin with aspects has
// enough basic DCC addresses to reach them (two aspects an address), and every pin a step acts
// on belongs to the device.
TEST_F(ShippedDevices, EveryDeviceReachesItsAspectsAndActsOnlyOnItsOwnPins) {
    Session session{prompter, clock, provider};
    session.devices = catalogue;
    for (const DeviceCatalogue::Entry& entry : catalogue.entries) {
        session.image = ConfigurationImage{};
        const int head = 30; // the device wraps past pin 31
        ASSERT_TRUE(LoadDevice(session, entry.name, head)) << entry.name;
        const std::vector<int> pins = DevicePins(session.image, head);
        for (const int p : pins) {
            const PinRecord& pin = session.image.pins[static_cast<std::size_t>(p)];
            int aspectsInUse = 0;
            for (int a = 0; a < AspectsInLayout(pin.aspectLayout); ++a) {
                const AspectRecord& aspect = pin.aspects[static_cast<std::size_t>(a)];
                const bool inUse = std::any_of(aspect.steps.begin(), aspect.steps.end(),
                                               [](const AspectStep& step) { return step.instruction != 0; });
                if (inUse || !aspect.description.empty())
                    aspectsInUse = a + 1;
                for (const AspectStep& step : aspect.steps) {
                    const InstructionEntry& instruction = InstructionOf(step.instruction);
                    if (!instruction.usesParameter(0) || instruction.offsetKind != OffsetKind::PinOffset)
                        continue;
                    for (int k = 0; k < OutputsOfStep(step); ++k) {
                        const int target = (p + step.offset + k) % PinCount;
                        EXPECT_NE(std::find(pins.begin(), pins.end(), target), pins.end())
                            << entry.name << ": aspect " << a << " of pin " << p << " acts on pin " << target;
                    }
                }
            }
            EXPECT_GE(2 * pin.dccAddressCount, aspectsInUse)
                << entry.name << ": pin " << p << " has " << aspectsInUse << " aspects";
        }
    }
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

} // namespace
} // namespace vexa::test

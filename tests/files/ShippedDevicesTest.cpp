#include "ConfigFileTestSupport.h"
#include "TestSeams.h"

#include "core/Platform.h"
#include "files/DeviceLibraryActions.h"
#include "pins/InstructionTable.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"
#include "pins/StepRules.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa::test {
namespace {

// Every device of the shipped library, loaded at the first pin, the middle and where it wraps
// past pin 31, is written to a blank simulated controller and verifies; and every step is one
// the pin page offers unchanged.
TEST(ShippedDevices, EveryDeviceLoadsWritesAndVerifiesAtPins0_17_30) {
    RecordingPrompter prompter;
    FakeClock clock;
    ScriptedPortProvider provider;
    ScriptedFileDialogs dialogs;
    Session catalogueSession{prompter, clock, provider};
    ASSERT_TRUE(LoadStandardDeviceLibrary(catalogueSession, dialogs, ProgramFolder()));
    const DeviceCatalogue catalogue = catalogueSession.devices;
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

} // namespace
} // namespace vexa::test

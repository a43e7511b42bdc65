// What the session knows the controller holds, and "Write Changes", against the in-process
// simulated controller.

#include "batch/WriteChanges.h"
#include "batch/BatchOperations.h"

#include "../files/ConfigFileTestSupport.h"
#include "../sim/SimTestBench.h"
#include "events/EventTransfer.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"
#include "link/LinkAddress.h"
#include "link/PortSetup.h"
#include "link/StepEncoding.h"
#include "link/TypeBlockForm.h"
#include "live/LiveRequests.h"
#include "module/DccAddressing.h"
#include "module/EraseFlash.h"
#include "module/SettingRequests.h"
#include "module/SettingsVerification.h"
#include "pins/PinComparison.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vexa {
namespace {

using Requests = std::vector<std::vector<std::uint8_t>>;

// A simulated controller that every port of the session reaches, with a configuration written to
// it: pins 0..7 with four aspects of nine steps, events on pins 0..7.
struct ChangesBench : test::SimBench {
    ChangesBench() : SimBench(std::make_shared<Simulator>()) {
        provider.factory = [this](const std::string&) { return MakeSimulatorPort(sim); };
        session.port.name = "Simulator";
        for (int p = 0; p < 8; ++p) {
            PinRecord& pin = session.image.pins[static_cast<std::size_t>(p)];
            pin.aspectLayout = LayoutFourByNine;
            pin.initialAspect = 1;
            for (auto& aspect : pin.aspects)
                for (AspectStep& step : aspect.steps)
                    step = AspectStep{39, 0, static_cast<std::uint8_t>(p), 20, 0, 0};
            session.image.events[static_cast<std::size_t>(p)].onEvents = {1, -1, 2, -1};
        }
    }

    Requests requestsOf(const std::function<bool(Session&)>& operation) {
        sim->clearRequests();
        EXPECT_TRUE(operation(session)) << prompter.last();
        Requests requests;
        for (const SimReceivedRequest& request : sim->requests())
            if (!request.data.empty()) // not the empty frame that synchronises the link
                requests.push_back(request.data);
        return requests;
    }
    // The write requests among them: "Write Changes" first reads the ID string and the version.
    Requests writesOf(const std::function<bool(Session&)>& operation) {
        Requests writes = requestsOf(operation);
        std::erase_if(writes, [](const std::vector<std::uint8_t>& request) { return request[0] >= ReadSettingCode; });
        return writes;
    }
};

TEST(ControllerCopy, IsForgottenAsAWholeWhenTheLinkReachesAnotherControllerAndAfterAnErase) {
    struct Case {
        const char* event;
        std::function<void(Session&)> before; // the link as the copy was made
        std::function<void(Session&)> change;
    };
    const auto nothing = [](Session&) {};
    const std::vector<Case> cases{
        {"another port", nothing, [](Session& s) { SelectPort(s, "Other"); }},
        {"another bit rate", nothing, [](Session& s) { ChooseBitRate(s, 2); }},
        {"another module address", nothing, [](Session& s) { SetModuleAddress(s, 3); }},
        {"the eXtended address used", nothing, [](Session& s) { s.link.useXAddress = true; }},
        {"another eXtended address", [](Session& s) { s.link.useXAddress = true; },
         [](Session& s) { SetXAddress(s, 7); }},
        {"the port opened again after an unplug", nothing,
         [](Session& s) {
             std::string failure;
             ReopenChosenPort(s, failure);
         }},
        {"Erase Flash", nothing, [](Session& s) { SendEraseRequest(s); }},
    };
    for (const Case& c : cases) {
        ChangesBench bench;
        c.before(bench.session);
        ASSERT_TRUE(WriteAll(bench.session)) << bench.prompter.last();
        ASSERT_TRUE(ItemsToWrite(bench.session).empty()) << c.event;
        c.change(bench.session);
        EXPECT_TRUE(bench.session.controllerCopy().empty()) << c.event;
        EXPECT_EQ(ItemsToWrite(bench.session).pins.size(), static_cast<std::size_t>(PinCount)) << c.event;
    }
    // A live command changes no configuration: the copy stays.
    ChangesBench bench;
    ASSERT_TRUE(WriteAll(bench.session));
    ASSERT_TRUE(SendPwmLevel(bench.session, 2, 10, false));
    EXPECT_TRUE(ItemsToWrite(bench.session).empty());
}

TEST(WriteChanges, SendsExactlyThePinBlockOrSlotThatWasEditedWithTheRequestsOfItsOwnWrite) {
    struct Case {
        const char* edit;
        std::function<void(ConfigurationImage&)> change;
        std::function<bool(Session&)> ownWrite;
    };
    const std::vector<Case> cases{
        {"the fade of one step of pin 7", [](ConfigurationImage& image) { image.pins[6].aspects[2].steps[4].fade = 1; },
         [](Session& s) { return WriteWholePin(s, 6); }},
        {"the DCC address", [](ConfigurationImage& image) { image.module.dccAddress = 300; }, WriteDccSettings},
        {"one On action of pin 5", [](ConfigurationImage& image) { image.events[4].onEvents[3] = 7; },
         [](Session& s) { return WritePinEventDirection(s, 4, EventOnDirection()); }},
        {"the Off action of pin 30", [](ConfigurationImage& image) { image.events[29].offEvents[0] = 5; },
         [](Session& s) { return WritePinEventDirection(s, 29, EventOffDirection()); }},
    };
    for (bool bidirectional : {true, false})
        for (const Case& c : cases) {
            ChangesBench bench;
            ASSERT_TRUE(WriteAll(bench.session)) << bench.prompter.last();
            bench.session.link.bidirectional = bidirectional;
            c.change(bench.session.image);
            const Requests written = bench.writesOf(WriteChanges);
            EXPECT_EQ(written, bench.requestsOf(c.ownWrite)) << c.edit;
            EXPECT_FALSE(written.empty()) << c.edit;
            EXPECT_TRUE(ItemsToWrite(bench.session).empty()) << c.edit << ": the mark goes once written";
        }
}

TEST(WriteChanges, WritesWhatIsNotKnownAndSaysNothingToWriteOnceAllIsWritten) {
    ChangesBench bench;
    bench.session.image.module.idString = "Yard"; // the controller's is read first, and differs
    const Requests unknown = bench.writesOf(WriteChanges);
    bench.session.controllerCopy().forgetAll();
    EXPECT_EQ(unknown, bench.requestsOf(WriteAll)) << "with nothing known, everything is written as Write All does";

    // One pin whose layout is not known (a write of it left in doubt, say).
    bench.session.controllerCopy().forget({HeldPart::Layout, 12});
    const Requests oneUnknown = bench.writesOf(WriteChanges);
    EXPECT_EQ(oneUnknown, bench.requestsOf([](Session& s) { return WriteWholePin(s, 12); }));

    EXPECT_TRUE(bench.writesOf(WriteChanges).empty());
    EXPECT_EQ(bench.prompter.last(), NothingToWriteText);
}

TEST(WriteChanges, AfterItRanNothingIsLeftToWriteForAConfigurationOfEveryKind) {
    ChangesBench bench;
    bench.session.image = test::MakeSampleImage();
    bench.session.image.module.idString = "Yard West"; // 7-bit: the wire carries it
    for (PinRecord& pin : bench.session.image.pins)    // bytes the wire carries
        for (AspectRecord& aspect : pin.aspects)
            for (AspectStep& step : aspect.steps)
                step.par3 &= 127;
    bench.session.image.enableMap = EnableMap{true, false, true, false, false, true, false, true};
    ASSERT_TRUE(WriteChanges(bench.session)) << bench.prompter.last();
    EXPECT_TRUE(ItemsToWrite(bench.session).empty()) << ChangesStatusText(bench.session);
    EXPECT_TRUE(bench.writesOf(WriteChanges).empty());
    EXPECT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
}

TEST(WriteChanges, AVerificationMarksWhatTheControllerHoldsOtherwiseAndThatIsWrittenNext) {
    ChangesBench bench;
    ASSERT_TRUE(WriteAll(bench.session));
    // Changed behind the tool's back: the copy cannot know until the controller is read.
    bench.sim->pin(3).steps[5].values[1] = 99;
    bench.sim->setting(4) = {44, 4};
    EXPECT_TRUE(ItemsToWrite(bench.session).empty());

    EXPECT_FALSE(VerifyGeneralSettings(bench.session));
    EXPECT_FALSE(VerifyPins(bench.session));
    const ChangedItems changed = ItemsInState(bench.session, HeldState::Changed);
    EXPECT_EQ(changed.pins, std::vector<int>{3});
    EXPECT_EQ(changed.blocks, std::vector<SettingBlock>{SettingBlock::Dcc});
    // Answers that contradict what was written make nothing else of the copy trustworthy.
    EXPECT_EQ(ChangesStatusText(bench.session), "1 pin, 1 setting block changed since the last read; not known of "
                                                "the controller: 2 setting blocks, 32 event slots");

    ASSERT_TRUE(WriteChanges(bench.session));
    EXPECT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
}

TEST(WriteChanges, AValueTheWireCannotCarryRefusesTheWholeWriteBeforeItsFirstByte) {
    ChangesBench bench;
    ASSERT_TRUE(WriteAll(bench.session));
    bench.session.image.module.idString = "Changed";            // written first, were it sent
    bench.session.image.pins[6].aspects[0].steps[0].par3 = 200; // cannot be sent
    EXPECT_TRUE(bench.writesOf([](Session& s) { return !WriteChanges(s); }).empty());
    EXPECT_NE(bench.prompter.last().find("Pin 7"), std::string::npos) << bench.prompter.last();
    EXPECT_EQ(ItemsToWrite(bench.session).pins, std::vector<int>{6});
}

TEST(WriteChanges, AWriteLeftInDoubtIsNotKnown) {
    // "Bidirectional Comm." on and no answer: the controller may hold either value.
    test::TestBench bench;
    bench.session.controllerCopy().hold({HeldPart::Setting, 10}, {'o', 'l', 'd'});
    bench.session.image.module.idString = "new";
    ASSERT_TRUE(WriteChanges(bench.session));
    EXPECT_EQ(bench.session.controllerCopy().find({HeldPart::Setting, 10}), nullptr);
    EXPECT_EQ(SettingBlockState(bench.session, SettingBlock::IdString), HeldState::Unknown);
    // The link went one-way after the missed answer: nothing written after it is known either.
    EXPECT_TRUE(bench.session.controllerCopy().empty()) << ChangesStatusText(bench.session);
}

// Stopped while the acknowledgement of a write it sent was awaited: the controller may hold
// either value. Read All then finds that, and leaves nothing to write.
TEST(WriteChanges, AWriteStoppedWhileItsAnswerIsAwaitedIsNotKnown) {
    ChangesBench bench;
    ASSERT_TRUE(WriteAll(bench.session));
    bench.session.image.module.dccStateInvert = !bench.session.image.module.dccStateInvert;
    struct StopOnceSent : Progress {
        const Simulator* sim = nullptr;
        bool stopRequested() override {
            const std::deque<SimReceivedRequest> sent = sim->requests();
            return std::any_of(sent.begin(), sent.end(), [](const SimReceivedRequest& r) {
                return r.data.size() >= 2 && r.data[0] == WriteSettingCode &&
                       r.data[1] == SettingNumber(ModuleSetting::DccOptions);
            });
        }
    } stopper;
    stopper.sim = bench.sim.get();
    bench.sim->clearRequests();
    Progress* const usual = bench.session.progress;
    bench.session.progress = &stopper;
    EXPECT_FALSE(WriteChanges(bench.session));
    bench.session.progress = usual;
    EXPECT_EQ(SettingBlockState(bench.session, SettingBlock::Dcc), HeldState::Unknown);
    ASSERT_TRUE(ReadAll(bench.session)) << bench.prompter.last();
    EXPECT_TRUE(ItemsToWrite(bench.session).empty()) << CountsText(ItemsToWrite(bench.session));
}

// Write All after another controller was put behind the open port: what it could not send (an
// enable map not known) is not known of that controller, even once the configuration holds the
// earlier map again (a load of the earlier file).
TEST(WriteChanges, AWriteAllLeavesWhatItDidNotSendNotKnown) {
    ChangesBench bench;
    bench.session.image.enableMap = EnableMap{};
    bench.session.image.enableMap->fill(true);
    ASSERT_TRUE(WriteAll(bench.session));
    const std::optional<EnableMap> earlier = bench.session.image.enableMap;
    bench.session.image.enableMap.reset();
    bench.sim->memory() = Simulator().memory();
    ASSERT_TRUE(WriteAll(bench.session));
    bench.session.image.enableMap = earlier;
    EXPECT_TRUE(ItemsToWrite(bench.session).enableMap);
}

TEST(WriteChanges, AnotherControllerBehindTheOpenPortIsWrittenWhole) {
    ChangesBench bench;
    bench.session.image.module.idString = "Yard";
    ASSERT_TRUE(WriteAll(bench.session));
    const Requests whole = bench.writesOf(WriteAll);
    const Simulator other;
    bench.sim->memory() = other.memory();
    bench.sim->setting(10) = {'B', 'e', 'n', 'c', 'h'};
    EXPECT_EQ(bench.writesOf(WriteChanges), whole);
    EXPECT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
}

TEST(WriteChanges, AControllerSwappedAfterAWriteOfOnePinIsWrittenWhole) {
    // The copy holds pin 6 and no ID string that could tell the controllers apart.
    ChangesBench bench;
    ASSERT_TRUE(WriteWholePin(bench.session, 5));
    bench.sim->memory() = Simulator().memory();
    ASSERT_TRUE(WriteChanges(bench.session));
    EXPECT_TRUE(VerifyAll(bench.session)) << bench.session.verificationReport;
}

TEST(WriteChanges, AControllerJustReadVerifiesAndHasNothingToWrite) {
    // Blocks the read or the save takes otherwise than they came: bits and bytes they drop, a
    // value the read limits, characters a file cannot hold.
    using Memory = ControllerMemory;
    const std::vector<std::pair<const char*, std::function<void(Memory&)>>> controllers{
        {"a PWM block of type and four bytes (the read sets the off and on levels)",
         [](Memory& m) {
             m.pins[5].flashBlock = m.pins[5].activeBlock = {TypePwm, 10, 20, 30, 7};
         }},
        {"a servo flag byte with bit 6 (initialised) set",
         [](Memory& m) {
             m.pins[5].flashBlock = m.pins[5].activeBlock = {TypeServo, 64, 64 + 8 + 1, 70, 60, 0, 0, 0, 0, 0, 0, 0};
         }},
        {"DCC options with bits 4..6 set", [](Memory& m) { m.settings[5] = {2 + 16 + 64}; }},
        {"DCC addresses above their fields' ranges",
         [](Memory& m) {
             m.settings[4] = m.settings[12] = {10, 40};
         }},
        {"a group mask with bits 4..6 set",
         [](Memory& m) {
             m.settings[3] = {0x11, 0x22, 0x44, 0x7F};
         }},
        {"a serial port enable byte of 2",
         [](Memory& m) {
             m.settings[13] = {2, 3};
         }},
        {"enable masks with bits beyond the four inputs",
         [](Memory& m) {
             m.settings[11] = {0x71, 0x30};
         }},
        {"an ID string with a double quote and a line break",
         [](Memory& m) { m.settings[10] = {'Y', '"', 'a', '\r', '\n', 'd'}; }},
        {"a serial address count byte of 25",
         [](Memory& m) {
             m.pins[3].addressConfig = {9, 25, 64};
         }},
        {"a split step whose first byte has bits 2..6 set",
         [](Memory& m) {
             m.pins[2].aspectLayout = LayoutFourByNine;
             m.pins[2].steps[0] = SimStep{SendSerial1Code, {127, 5, 6, 7}};
         }},
    };
    for (const auto& [what, change] : controllers) {
        ChangesBench bench;
        change(bench.sim->memory());
        ASSERT_TRUE(ReadAll(bench.session)) << what << ": " << bench.prompter.last();
        // Saved and loaded again, as a backup of it is.
        const std::string saved = FormatConfigurationFile(bench.session.image, false);
        ConfigFileReader reader(saved);
        ASSERT_TRUE(reader.readHeader() && reader.readBody(bench.session.image)) << what << ": " << reader.problem();
        EXPECT_TRUE(ItemsToWrite(bench.session).empty()) << what << ": " << ChangesStatusText(bench.session);
        EXPECT_TRUE(VerifyAll(bench.session)) << what << ": " << bench.session.verificationReport;
    }
}

} // namespace
} // namespace vexa

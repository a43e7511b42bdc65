// The tunnel through a simulated Corvan interface: the tunnel check, transparent mode, and
// controller requests, Lumo frames and monitor polls carried inside Corvan frames.

#include "SimTestBench.h"

#include "link/CorvanSetup.h"
#include "link/Exchange.h"
#include "link/LinkAddress.h"
#include "link/Monitor.h"
#include "link/TunnelSwitch.h"
#include "module/Identity.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

// A session whose port is a simulated Corvan interface in front of a simulated controller. Its
// clock runs 5 times faster: a wait for nothing still spans 400 ms, so a busy machine does
// not end a wait before the answer could be read.
struct CorvanBench : test::SimBench {
    explicit CorvanBench(CorvanInterfaceSettings settings = {}) : SimBench(std::make_shared<Simulator>(), 5) {
        corvan = std::make_shared<CorvanInterfaceSim>(sim, settings);
        session.port.port = MakeSimLinePort(corvan);
        session.port.port->open(CorvanSimulatorPortName);
    }
    std::shared_ptr<CorvanInterfaceSim> corvan;
};

TEST(CorvanTunnel, CheckAcceptsProtocol3200AndTheAddressBoundFollowsTheTunnel) {
    CorvanBench refused({3197, CorvanBrix, 1040, {}});
    EXPECT_FALSE(SwitchTunnelling(refused.session, true));
    EXPECT_EQ(refused.prompter.last(), "Your system does not support this function\r\nProtocol = 3.197");
    EXPECT_EQ(refused.prompter.messages.back().kind, MessageKind::OkWarning);
    EXPECT_EQ(HighestModuleAddress(refused.session), 15);

    CorvanBench bench({3200, CorvanBrix, 1040, 19});
    bench.sim->setIdString("Far Yard");
    ASSERT_TRUE(SwitchTunnelling(bench.session, true));
    EXPECT_TRUE(bench.session.link.useCorvan);
    EXPECT_EQ(SetModuleAddress(bench.session, 40), 31);
    SetModuleAddress(bench.session, 19);
    ASSERT_TRUE(ReadIdString(bench.session)) << bench.prompter.last();
    EXPECT_EQ(bench.session.image.module.idString, "Far Yard");
    // Polls are not traced; requests and answers are.
    const std::string& trace = bench.session.trace.text();
    EXPECT_NE(trace.find(">>  [2D] [00] [73] [60] [70] [0A]\r\n<< "), std::string::npos) << trace;
    EXPECT_NE(trace.find("] [00] [73] [6A] [70] [0A] [46] [61]"), std::string::npos) << trace;
    EXPECT_TRUE(bench.prompter.messages.empty());

    SetModuleAddress(bench.session, 18); // nobody there
    EXPECT_FALSE(ReadIdString(bench.session));
    EXPECT_EQ(bench.prompter.texts().front(), "No valid response received");

    SwitchTunnelling(bench.session, false);
    EXPECT_EQ(bench.session.link.moduleAddress, 15);
    EXPECT_EQ(bench.session.link.frameToggle, ToggleUnsynchronised);

    bench.session.port.port->close();
    bench.prompter.messages.clear();
    EXPECT_FALSE(SwitchTunnelling(bench.session, true));
    EXPECT_EQ(bench.prompter.last(), "Select communications port");
}

TEST(CorvanTunnel, TransparentModeFollowsTheInterfaceTypeAndFirmware) {
    struct Case {
        int type;
        int firmware;
        int protocol;
        bool answerYes;
        bool activated;
        const char* last;
    };
    const Case cases[] = {
        {CorvanHubo, 1017, 3100, true, false, "Your Hubo does not support this function"},
        {CorvanHubo, 1020, 3100, true, true, "Your Hubo has been put in Transparent Mode"},
        {CorvanBrix, 1027, 3100, true, false, "Your Brix does not support this function"},
        {CorvanBrix, 1030, 3100, true, true, "Your Brix has been put in Transparent Mode"},
        {CorvanTesk, 0, 3100, true, true, "Your Tesk has been put in Transparent Mode"},
        {5, 2000, 3100, true, false, "Your system does not support this function"},
        {CorvanBrix, 1030, 3200, false, false,
         "Your Corvan system supports Vexa Tunneling\r\nWe recommend to use the Corvan Tunneling option instead\r\n"
         "Do you still want to activate Transparant Mode?"},
        {CorvanBrix, 1030, 3200, true, true, "Your Brix has been put in Transparent Mode"},
    };
    for (const Case& c : cases) {
        CorvanBench bench({c.protocol, c.type, c.firmware, {}});
        bench.prompter.defaultAnswer = c.answerYes;
        EXPECT_EQ(ActivateTransparentMode(bench.session), c.activated) << c.last;
        EXPECT_EQ(bench.corvan->transparent(), c.activated) << c.last;
        EXPECT_EQ(bench.prompter.last(), c.last);
        EXPECT_EQ(bench.prompter.messages.back().kind,
                  c.activated ? MessageKind::OkInformation
                              : (c.answerYes ? MessageKind::OkWarning : MessageKind::YesNo));
        if (c.activated) { // the interface now passes the direct frames through
            EXPECT_TRUE(ReadIdString(bench.session)) << bench.prompter.last();
        }
    }
}

TEST(CorvanTunnel, WritesLumoFramesAndMonitorPollsTravelInsideCorvanFrames) {
    CorvanBench bench;
    ASSERT_TRUE(SwitchTunnelling(bench.session, true));
    bench.session.link.useXAddress = true;
    bench.session.link.xAddress = 20;
    bench.sim->setXAddress(20);
    bench.write({96, 10, 'Q'}); // the ID string "Q"
    EXPECT_EQ(bench.sim->idString(), "Q");
    SendLumoMessage(bench.session, 7 * 4 + 3, 2, 0, 0);
    ASSERT_EQ(bench.sim->lumoFrames().size(), 1u);
    EXPECT_EQ(bench.sim->lumoFrames().back(), (SimLumoFrame{7 * 4 + 3, {2, 0, 0}}));

    bench.sim->queueReport({12, 0, 5, 100});
    EXPECT_EQ(MonitorPoll(bench.session), "<12> <0> <5> <100> \r\n");
    EXPECT_EQ(MonitorPoll(bench.session), ""); // nothing more to report
    EXPECT_EQ(bench.session.monitorText.text(), "<12> <0> <5> <100> \r\n");

    bench.session.link.xAddress = 21; // the controller does not answer another eXtended address
    EXPECT_FALSE(bench.read({112, 10}));
    EXPECT_TRUE(bench.prompter.messages.size() == 1 && bench.prompter.last() == "No valid response received")
        << bench.prompter.last();
}

// The late echo of a write comes while the next request waits: it is dropped, and neither this
// exchange nor any later one is one answer behind.
TEST(CorvanTunnel, ALateAnswerIsDroppedInsideTheNextExchange) {
    CorvanBench bench;
    ASSERT_TRUE(SwitchTunnelling(bench.session, true));
    bench.sim->setLateDelay(std::chrono::milliseconds(120));
    bench.sim->injectFault(SimulatorFault::Late, 1);
    bench.session.image.module.idString = "ABC";
    ASSERT_TRUE(WriteIdString(bench.session));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(ReadVersion(bench.session)) << bench.prompter.last();
        EXPECT_EQ(bench.session.versionText, "3.1.0.12");
        ASSERT_TRUE(ReadIdString(bench.session)) << bench.prompter.last();
        EXPECT_EQ(bench.session.image.module.idString, "ABC");
    }
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();
    EXPECT_NE(bench.session.trace.text().find("dropped [00] [60] [62] [60] [0A]"), std::string::npos)
        << bench.session.trace.text();
}

// Through the tunnel a read whose answer is lost is handed over again while the interface
// answers; a write is handed over once.
TEST(CorvanTunnel, AReadIsHandedOverAgainWhenItsAnswerIsLost) {
    CorvanBench bench;
    ASSERT_TRUE(SwitchTunnelling(bench.session, true));
    bench.session.link.retryLimit = 1;
    bench.sim->clearRequests();
    bench.sim->injectFault(SimulatorFault::Drop, 1);
    ASSERT_TRUE(ReadVersion(bench.session)) << bench.prompter.last();
    EXPECT_EQ(bench.session.versionText, "3.1.0.12");
    EXPECT_EQ(bench.sim->requests().size(), 2u);
    EXPECT_EQ(bench.session.link.retriesTaken, 1);
    EXPECT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();

    bench.sim->injectFault(SimulatorFault::Drop, 1);
    bench.session.image.module.idString = "ABC";
    EXPECT_TRUE(WriteIdString(bench.session));
    EXPECT_EQ(bench.sim->requests().size(), 3u);
}

} // namespace
} // namespace vexa

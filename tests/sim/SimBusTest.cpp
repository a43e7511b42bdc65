// Several simulated controllers on one line.

#include "SimTestBench.h"

#include "link/Exchange.h"
#include "sim/SimBus.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(SimBus, OnlyTheAddressedControllerAnswersAndActsOnALumoFrame) {
    auto bus = std::make_shared<SimBus>();
    for (int address : {0, 7, 15})
        ASSERT_TRUE(bus->add(address, std::make_shared<Simulator>()));
    EXPECT_FALSE(bus->add(7, std::make_shared<Simulator>()));
    EXPECT_FALSE(bus->add(32, std::make_shared<Simulator>()));
    bus->at(7)->setIdString("Seven");
    test::SimBench bench(std::make_shared<Simulator>(), 10);
    bench.session.port.port = MakeSimLinePort(bus);
    bench.session.port.port->open(LayoutSimulatorPortName);

    bench.session.link.moduleAddress = 7;
    ResetFrameToggle(bench.session);
    ASSERT_TRUE(bench.read({112, 10}));
    EXPECT_EQ(bench.answer(), (std::vector<int>{112, 10, 'S', 'e', 'v', 'e', 'n'}));

    SendLumoMessage(bench.session, 7 * 4 + 3, 10, 2, 0); // lamp test of output 2 of module 7
    for (int address : {0, 7, 15})
        EXPECT_EQ(bus->at(address)->outputs()[2].lampTest, address == 7) << address;
}

} // namespace
} // namespace vexa

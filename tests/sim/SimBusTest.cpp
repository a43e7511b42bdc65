// Several simulated controllers on one line.

#include "../files/ConfigFileTestSupport.h"
#include "SimTestBench.h"

#include "link/Exchange.h"
#include "sim/SimBus.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

#include <filesystem>

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

// The ID string at a module address of the "Simulator (Layout)" port of these makers; writes
// `written` there first unless it is empty.
std::string LayoutId(const std::vector<NamedPortMaker>& makers, int address, const std::string& written = {}) {
    test::SimBench bench(std::make_shared<Simulator>(), 10);
    for (const NamedPortMaker& maker : makers)
        if (maker.name == LayoutSimulatorPortName)
            bench.session.port.port = maker.make();
    bench.session.port.port->open(LayoutSimulatorPortName);
    bench.session.link.moduleAddress = address;
    if (!written.empty()) {
        std::vector<int> request{96, 10};
        request.insert(request.end(), written.begin(), written.end());
        bench.write(request);
    }
    if (!bench.read({112, 10}))
        return "(no answer)";
    const std::vector<int> answer = bench.answer();
    return std::string(answer.begin() + 2, answer.end());
}

TEST(SimBus, TheLayoutPortKeepsEachControllerInItsStateFolder) {
    test::TemporaryFolder folder;
    EXPECT_EQ(LayoutId(SimulatorPortMakers({}, folder.path().string()), 4, "Changed"), "Changed");
    for (const char* file : {"module-0.txt", "module-1.txt", "module-4.txt"})
        EXPECT_TRUE(std::filesystem::exists(folder.file(file))) << file;
    const auto again = SimulatorPortMakers({}, folder.path().string());
    EXPECT_EQ(LayoutId(again, 4), "Changed");
    EXPECT_EQ(LayoutId(again, 1), "Goods Yard");
    EXPECT_EQ(LayoutId(again, 2), "(no answer)");
}

} // namespace
} // namespace vexa

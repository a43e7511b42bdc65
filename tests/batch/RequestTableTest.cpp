// The request table against what the operations really send: every request of every operation
// has its row, and a request the table lacks leaves nothing known of the controller.

#include "batch/BatchOperations.h"
#include "batch/WriteChanges.h"

#include "../sim/SimTestBench.h"
#include "events/EventTransfer.h"
#include "link/Exchange.h"
#include "link/RequestTable.h"
#include "live/LiveRequests.h"
#include "live/ModuleCommands.h"
#include "module/EraseFlash.h"
#include "module/Identity.h"
#include "pins/PinConfigRequests.h"
#include "pins/PinTransfer.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

TEST(RequestTable, EveryRequestOfEveryOperationHasItsRow) {
    test::SimBench bench;
    PinRecord& pin = bench.session.image.pins[2];
    pin.aspectLayout = LayoutFourByNine;
    bench.session.image.module.idString = "Yard";
    const std::vector<std::function<bool(Session&)>> operations{
        ReadAll,
        WriteAll,
        VerifyAll,
        WriteChanges,
        ReadVersion,
        WriteIdString,
        [](Session& s) { return GetPinConfig(s, 2) && SetPinConfig(s, 2); },
        [](Session& s) { return ReadPinConfig(s, 2) && WritePinConfig(s, 2); },
        [](Session& s) { return ReadPinEvents(s, 2) && WritePinEvents(s, 2); },
        [](Session& s) { return SendLiveRequest(s, LiveOperation::PinAspect, 2, 1); },
        [](Session& s) { return SendPwmLevel(s, 2, 10, true) && SendServoPosition(s, 1, -10, false); },
        [](Session& s) { return SendLampTest(s, 0) && SendClearAll(s, 0) && SendModuleReset(s, 0); },
        SendEraseRequest,
    };
    std::size_t requests = 0;
    for (const auto& operation : operations) {
        bench.sim->clearRequests();
        bench.session.link.bidirectional = true;
        operation(bench.session);
        for (const SimReceivedRequest& sent : bench.sim->requests()) {
            const std::vector<int> request(sent.data.begin(), sent.data.end());
            const RequestRow* row = FindRequestRow(request);
            ASSERT_NE(row, nullptr) << "a request the table lacks: code " << (request.empty() ? -1 : request[0]) << ", "
                                    << request.size() << " bytes";
            if (row->kind == RequestKind::Read) {
                EXPECT_EQ(row->echoBytes, row->keyBytes) << row->concerns; // the answer names its part
            }
            ++requests;
        }
    }
    EXPECT_GT(requests, 500u); // the whole controller was read, written and verified
}

TEST(RequestTable, EachHeldPartIsReadAndWrittenByAPairOfCodes) {
    for (const RequestRow& write : RequestTable()) {
        if (write.kind != RequestKind::Write)
            continue;
        const RequestRow* read = nullptr;
        for (const RequestRow& row : RequestTable()) {
            if (row.code == write.code + ReadCodeStep && row.kind == RequestKind::Read)
                read = &row;
        }
        ASSERT_NE(read, nullptr) << write.concerns;
        // The read of 100's initial aspect is the read of the Event-On slots (116).
        if (write.held != HeldPart::InitialAspect) {
            EXPECT_EQ(read->held, write.held) << write.concerns;
        }
    }
}

TEST(RequestTable, ARequestTheTableLacksLeavesNothingKnown) {
    test::SimBench bench;
    ASSERT_TRUE(ReadAll(bench.session));
    ASSERT_FALSE(bench.session.controllerCopy().empty());
    bench.write({WriteLayoutCode, 3, 1, 1}); // a layout write one byte too long
    EXPECT_TRUE(bench.session.controllerCopy().empty());
}

} // namespace
} // namespace vexa

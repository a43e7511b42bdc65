// Framing, addressing, faults and timing of the simulated controller on its line.

#include "SimTestBench.h"
#include "WaitUntil.h"

#include "link/Exchange.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::SimBench;
using Bytes = std::vector<std::uint8_t>;
using SteadyClock = std::chrono::steady_clock;

const Bytes Preamble{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA, 0xAA};

// A frame of the given bytes with its check byte.
Bytes Framed(Bytes bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    bytes.push_back(FrameCheckByte(sum));
    return bytes;
}

// Feeds bytes to the simulator and collects the bytes of every answer.
Bytes Feed(Simulator& sim, const Bytes& bytes) {
    Bytes out;
    for (std::uint8_t b : bytes)
        if (auto answer = sim.receive(b))
            out.insert(out.end(), answer->bytes.begin(), answer->bytes.end());
    return out;
}

// The version request to module 0 with toggle 64 and bidirectional on.
const Bytes VersionRequest = Framed({0x43, 0xE2, 0xF0, 0x80});
const Bytes VersionAnswer = Framed({0x43, 0xE6, 0xF0, 0x80, 0x83, 0x81, 0x80, 0x8C});

TEST(SimulatorLine, AnswersEchoTheHeaderAndCarryACorrectCheckByte) {
    Simulator sim;
    EXPECT_EQ(Feed(sim, VersionRequest), VersionAnswer);
    // Toggle 0 is echoed as it came.
    EXPECT_EQ(Feed(sim, Framed({0x03, 0xE2, 0xF0, 0x80})), Framed({0x03, 0xE6, 0xF0, 0x80, 0x83, 0x81, 0x80, 0x8C}));
}

TEST(SimulatorLine, WithoutTheBidirectionalBitNothingIsAnsweredButWritesAreStored) {
    SimBench bench;
    bench.write({96, 10, 'O', 'K'});
    EXPECT_EQ(bench.sim->idString(), "OK");
    EXPECT_EQ(bench.sim->answerBytes(), 0u);
    EXPECT_EQ(bench.port().bytesWaiting(), 0);
    EXPECT_TRUE(bench.prompter.messages.empty());
}

TEST(SimulatorLine, FramesWithABadCheckByteAreIgnored) {
    Simulator sim;
    Bytes bad = Framed({0x43, 0xC4, 0xE0, 0x8A, 0xC1, 0xC2}); // write ID "AB"
    bad.back() ^= 2;
    EXPECT_TRUE(Feed(sim, bad).empty());
    EXPECT_EQ(sim.idString(), "");
    EXPECT_EQ(sim.badFrames(), 1);
    Bytes corruptRead = VersionRequest;
    corruptRead.back() ^= 1;
    EXPECT_TRUE(Feed(sim, corruptRead).empty());
    EXPECT_EQ(Feed(sim, VersionRequest), VersionAnswer);
}

TEST(SimulatorLine, FramesForAnotherModuleAddressAreIgnored) {
    auto sim = std::make_shared<Simulator>();
    ASSERT_TRUE(sim->setModuleAddress(5));
    EXPECT_FALSE(sim->setModuleAddress(16));
    SimBench bench(sim);
    bench.session.link.moduleAddress = 4;
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
    bench.session.link.moduleAddress = 5;
    ResetFrameToggle(bench.session);
    EXPECT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.session.link.answerBuffer[0], 64 + 5 * 4 + 3);
    EXPECT_EQ(sim->requests().size(), 2u); // the synchronising frame and the read
}

TEST(SimulatorLine, ConsecutiveAnswersCarryTheToggleOfTheirRequest) {
    SimBench bench;
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.session.link.answerBuffer[0], 64 + 3);
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.session.link.answerBuffer[0], 3);
}

TEST(SimulatorLine, ADemandedExtendedAddressMustComeWithEveryRequest) {
    auto sim = std::make_shared<Simulator>();
    ASSERT_TRUE(sim->setXAddress(7));
    EXPECT_FALSE(sim->setXAddress(96));
    SimBench bench(sim);
    bench.session.link.useXAddress = true;
    bench.session.link.xAddress = 7;
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.answer(), (std::vector<int>{112, 0, 3, 1, 0, 12}));
    ASSERT_TRUE(sim->requests().back().xAddress);
    EXPECT_EQ(*sim->requests().back().xAddress, 7);

    // Setting 2 is kept and read back as written; what the controller demands stays its option.
    bench.write({96, 2, 40});
    ASSERT_TRUE(bench.read({112, 2}));
    EXPECT_EQ(bench.answer(), (std::vector<int>{112, 2, 40}));
    EXPECT_EQ(sim->xAddress(), 7);

    bench.session.link.xAddress = 8;
    EXPECT_FALSE(bench.read({112, 0}));
    bench.session.link.useXAddress = false;
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_EQ(bench.prompter.texts().size(), 2u);
    EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
}

TEST(SimulatorLine, WithoutItsOwnExtendedAddressTheAnswerTakesTheFormOfTheRequest) {
    Simulator sim;
    // Request with the eXtended Address byte 9: the answer carries the flag and the byte.
    const Bytes answer = Feed(sim, Framed({0x43, 0xF2, 0x89, 0xF0, 0x80}));
    EXPECT_EQ(answer, Framed({0x43, 0xF6, 0x89, 0xF0, 0x80, 0x83, 0x81, 0x80, 0x8C}));

    SimBench bench;
    bench.session.link.useXAddress = true;
    bench.session.link.xAddress = 9;
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.answer(), (std::vector<int>{112, 0, 3, 1, 0, 12}));
}

TEST(SimulatorLine, LumoFramesAreRecordedAndNeverAnswered) {
    SimBench bench;
    SendLumoMessage(bench.session, 15, 10, 3, 30);
    SendLumoMessage(bench.session, 63, 2, 0, 0);
    // The empty frame that synchronised the link is not a command.
    ASSERT_EQ(bench.sim->lumoFrames().size(), 2u);
    EXPECT_EQ(bench.sim->lumoFrames()[0], (SimLumoFrame{15, {10, 3, 30}}));
    EXPECT_EQ(bench.sim->lumoFrames()[1], (SimLumoFrame{63, {2, 0, 0}}));
    EXPECT_EQ(bench.sim->answerBytes(), 0u);
    EXPECT_TRUE(bench.sim->requests().empty());

    Bytes bad = Framed({15, 0x80, 0x81, 0x82});
    bad.back() ^= 4;
    Feed(*bench.sim, bad);
    EXPECT_EQ(bench.sim->lumoFrames().size(), 2u);
    bench.sim->clearLumoFrames();
    EXPECT_TRUE(bench.sim->lumoFrames().empty());
}

TEST(SimulatorLine, PreambleAndNewHeadersAbandonAFrameInProgress) {
    Simulator sim;
    Bytes bytes{0x43, 0xE2, 0xF0}; // half a request
    bytes.insert(bytes.end(), Preamble.begin(), Preamble.end());
    bytes.insert(bytes.end(), VersionRequest.begin(), VersionRequest.end());
    EXPECT_EQ(Feed(sim, bytes), VersionAnswer);

    Bytes restarted{0x43, 0xE2}; // a header in the middle restarts the frame
    restarted.insert(restarted.end(), VersionRequest.begin(), VersionRequest.end());
    EXPECT_EQ(Feed(sim, restarted), VersionAnswer);

    Bytes stray{0xFF, 0x85, 0xAA}; // bytes with bit 7 set between frames
    stray.insert(stray.end(), VersionRequest.begin(), VersionRequest.end());
    EXPECT_EQ(Feed(sim, stray), VersionAnswer);
}

TEST(SimulatorLine, SynchronisationFramesAreNotAnswered) {
    Simulator sim;
    Bytes bytes = Preamble;
    const Bytes sync{0x03, 0xC0, 0xBD};
    bytes.insert(bytes.end(), sync.begin(), sync.end());
    EXPECT_TRUE(Feed(sim, bytes).empty());
    EXPECT_EQ(sim.badFrames(), 0);
    EXPECT_EQ(sim.requests().size(), 1u);
}

TEST(SimulatorFaults, DroppedAnswersMakeTheLinkGiveUp) {
    SimBench bench;
    bench.sim->injectFault(SimulatorFault::Drop);
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
    EXPECT_TRUE(bench.read({112, 0}));
}

TEST(SimulatorFaults, CorruptAnswersAreDroppedByTheLink) {
    SimBench bench;
    bench.sim->injectFault(SimulatorFault::Corrupt, 2);
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_TRUE(bench.read({112, 0}));
}

TEST(SimulatorFaults, StrayBytesBeforeEveryAnswerAreSkipped) {
    SimBench bench;
    bench.sim->injectFault(SimulatorFault::Stray, EveryAnswer);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(bench.read({112, 0}));
        EXPECT_EQ(bench.answer(), (std::vector<int>{112, 0, 3, 1, 0, 12}));
    }
    Simulator sim;
    sim.injectFault(SimulatorFault::Stray);
    const Bytes answer = Feed(sim, VersionRequest);
    ASSERT_GT(answer.size(), VersionAnswer.size());
    EXPECT_GE(answer.front(), 128);
    EXPECT_EQ(Bytes(answer.end() - static_cast<std::ptrdiff_t>(VersionAnswer.size()), answer.end()), VersionAnswer);
}

TEST(SimulatorFaults, EveryAnswerLastsUntilTheFaultsAreCleared) {
    SimBench bench;
    bench.sim->injectFault(SimulatorFault::Drop, EveryAnswer);
    bench.sim->injectFault(SimulatorFault::Drop, 2); // a count does not end "every answer"
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(bench.read({112, 0}));
    bench.sim->clearFaults();
    EXPECT_TRUE(bench.read({112, 0}));
}

TEST(SimulatorFaults, LateAnswersArriveAfterTheirDelay) {
    SimBench bench(std::make_shared<Simulator>(), 1.0);
    bench.sim->setLateDelay(std::chrono::milliseconds(150));
    bench.sim->injectFault(SimulatorFault::Late);
    const auto start = SteadyClock::now();
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_GE(SteadyClock::now() - start, std::chrono::milliseconds(150));
}

TEST(SimulatorFaults, AnswersLaterThanTheWaitTimeOut) {
    SimBench bench; // the 2 s wait passes in 50 ms
    bench.sim->setLateDelay(std::chrono::milliseconds(400));
    bench.sim->injectFault(SimulatorFault::Late);
    EXPECT_FALSE(bench.read({112, 0}));
    EXPECT_EQ(bench.prompter.last(), "No response received, resetting bidirectional communication");
}

TEST(SimulatorFaults, ALateAnswerIsDiscardedAndEveryLaterExchangeSucceeds) {
    SimBench bench; // the 2 s wait passes in 50 ms
    bench.sim->setLateDelay(std::chrono::milliseconds(150));
    bench.sim->injectFault(SimulatorFault::Late);
    EXPECT_FALSE(bench.read({112, 0}));
    ASSERT_TRUE(test::WaitUntil([&bench] { return bench.port().bytesWaiting() > 0; })); // the late answer is here
    for (int setting : {10, 0, 10, 0}) {
        ASSERT_TRUE(bench.read({112, setting})) << bench.prompter.last();
        EXPECT_EQ(bench.answer().at(1), setting);
    }
    EXPECT_EQ(bench.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
    EXPECT_NE(bench.session.trace.text().find("discarded [43]"), std::string::npos) << bench.session.trace.text();
}

TEST(SimulatorCounts, RequestAndAnswerBytesAreCounted) {
    SimBench bench;
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.sim->requestBytes(), 9u + 3u + 5u); // preamble, empty frame, request
    EXPECT_EQ(bench.sim->answerBytes(), 9u);
    bench.sim->resetByteCounts();
    bench.write({96, 6, 5});
    EXPECT_EQ(bench.sim->requestBytes(), 6u);
    EXPECT_EQ(bench.sim->answerBytes(), 0u);
}

TEST(SimulatorPort, PacedAnswersTakeTheirWireTime) {
    auto sim = std::make_shared<Simulator>();
    sim->setPacing(9600);
    EXPECT_EQ(sim->byteTime(), std::chrono::nanoseconds(11 * 1'000'000'000LL / 9600));
    auto port = MakeSimulatorPort(sim);
    ASSERT_TRUE(port->open("Simulator"));
    const auto start = SteadyClock::now();
    for (std::uint8_t b : VersionRequest)
        ASSERT_TRUE(port->writeByte(b));
    // The request is still on its way, unless the machine held this thread up that long.
    const int waitingAtOnce = port->bytesWaiting();
    if (SteadyClock::now() - start < sim->byteTime() * static_cast<int>(VersionRequest.size())) {
        EXPECT_EQ(waitingAtOnce, 0);
    }
    Bytes received;
    while (received.size() < VersionAnswer.size() && port->waitReadable(1000))
        received.push_back(static_cast<std::uint8_t>(port->readByte()));
    EXPECT_EQ(received, VersionAnswer);
    const auto wire = sim->byteTime() * static_cast<int>(VersionRequest.size() + VersionAnswer.size());
    EXPECT_GE(SteadyClock::now() - start, wire);
}

TEST(SimulatorPort, PacedExchangesThroughTheLinkSeeTheWireTime) {
    auto sim = std::make_shared<Simulator>();
    sim->setPacing(19200);
    SimBench bench(sim, 1.0);
    const auto start = SteadyClock::now();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(bench.read({112, 10}));
    const auto elapsed = SteadyClock::now() - start;
    const auto bytes = static_cast<int>(sim->requestBytes() + sim->answerBytes());
    EXPECT_GE(elapsed, sim->byteTime() * bytes);
}

TEST(SimulatorPort, WaitingWithoutAnAnswerSleepsTheTimeout) {
    auto port = MakeSimulatorPort(std::make_shared<Simulator>());
    ASSERT_TRUE(port->open("Simulator"));
    const auto start = SteadyClock::now();
    EXPECT_FALSE(port->waitReadable(30));
    EXPECT_GE(SteadyClock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(port->readByte(), -1);
}

TEST(SimulatorPort, ClosedPortsRefuseAndLoseWhatWasOnTheWay) {
    auto sim = std::make_shared<Simulator>();
    auto port = MakeSimulatorPort(sim);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(port->writeByte(0x43));
    EXPECT_EQ(port->bytesWaiting(), -1);
    EXPECT_FALSE(port->errorString().empty());
    ASSERT_TRUE(port->open("Simulator"));
    EXPECT_TRUE(port->setSettings("38400,o,8,1"));
    for (std::uint8_t b : VersionRequest)
        port->writeByte(b);
    EXPECT_EQ(port->bytesWaiting(), static_cast<int>(VersionAnswer.size()));
    port->close();
    ASSERT_TRUE(port->open("Simulator"));
    EXPECT_EQ(port->bytesWaiting(), 0);
}

TEST(SimulatorPort, TheControllerKeepsItsStateAcrossPorts) {
    auto sim = MakeDefaultSimulator();
    {
        SimBench bench(sim);
        bench.write({96, 10, 'X'});
    }
    SimBench again(sim);
    ASSERT_TRUE(again.read({112, 10}));
    EXPECT_EQ(again.answer(), (std::vector<int>{112, 10, 'X'}));
}

} // namespace
} // namespace vexa

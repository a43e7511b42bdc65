// The link over a real serial port adapter, against vexa-sim on a pseudo-terminal: a late
// answer, and the port handed between threads as the window hands it to the thread of each
// operation and back.

#include "link/PortSetup.h"
#include "link/qt/QtPortProvider.h"
#include "module/Identity.h"
#include "sim/SimulatorPort.h"

#include "ProcessRunner.h"
#include "TestSeams.h"

#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vexa {
namespace {

// A session on the Qt port adapter whose port is vexa-sim's pseudo-terminal, started with `options`.
struct PtySession {
    explicit PtySession(std::vector<std::string> options) : sim(VEXA_SIM_PATH, std::move(options)) {}

    bool opened() {
        EXPECT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
        return !sim.device().empty() && SelectPort(session, sim.device());
    }

    test::DeviceServerProcess sim;
    test::RecordingPrompter prompter;
    SystemClock clock;
    QtPortProvider ports{SimulatorPortMakers()};
    Session session{prompter, clock, ports};
};

TEST(LateAnswerPty, AnAnswerAfterTheWaitDoesNotPutTheLinkOneAnswerBehind) {
    PtySession pty({"--fault", "late:1", "--late-ms", "2300"});
    ASSERT_TRUE(pty.opened()) << pty.prompter.last();
    Session& session = pty.session;

    EXPECT_FALSE(ReadVersion(session));
    // The late answer comes 0.3 s into the next wait: it is dropped there.
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(ReadIdString(session)) << pty.prompter.last();
        EXPECT_TRUE(ReadVersion(session)) << pty.prompter.last();
    }
    EXPECT_EQ(pty.prompter.texts(),
              std::vector<std::string>{"No response received, resetting bidirectional communication"});
    EXPECT_NE(session.trace.text().find("dropped [43] [66] [70] [00]"), std::string::npos) << session.trace.text();
}

std::vector<std::string> qtWarnings;

void KeepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        qtWarnings.push_back(text.toStdString());
}

TEST(PortThreadPty, APortReleasedByOneThreadIsUsedByTheNextWithoutQtComplaining) {
    PtySession pty({});
    ASSERT_TRUE(pty.opened()) << pty.prompter.last();
    Session& session = pty.session;
    qtWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarning);

    std::vector<bool> read;
    read.push_back(ReadVersion(session));
    for (int round = 0; round < 2; ++round) {
        session.port.port->releaseThread();
        bool readThere = false;
        std::unique_ptr<QThread> other(QThread::create([&session, &readThere] {
            readThere = ReadVersion(session) && ReadIdString(session);
            session.port.port->releaseThread();
        }));
        other->start();
        // This thread handles its events meanwhile, as the window does while an operation runs.
        EXPECT_TRUE(QTest::qWaitFor([&other] { return other->isFinished(); }, 30000));
        read.push_back(readThere);
        read.push_back(ReadVersion(session));
    }
    qInstallMessageHandler(previous);

    EXPECT_EQ(read, std::vector<bool>(5, true)) << pty.prompter.last();
    EXPECT_TRUE(qtWarnings.empty()) << qtWarnings.front();
    EXPECT_TRUE(pty.prompter.messages.empty()) << pty.prompter.last();
}

} // namespace
} // namespace vexa

#include "app/ui/MainWindow.h"
#include "link/ui/CorvanControls.h"
#include "link/ui/MonitorPanel.h"

#include "TestRunner.h"
#include "TestSeams.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"
#include "ui/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace vexa {
namespace {

// The tunnel controls and the monitor on a session whose port is a simulated Corvan interface.
struct CorvanViews {
    CorvanViews() {
        simulator = std::make_shared<Simulator>();
        session.port.port = MakeSimLinePort(std::make_shared<CorvanInterfaceSim>(simulator));
        session.port.port->open(CorvanSimulatorPortName);
        window.resize(600, 400);
        window.show();
        QApplication::setActiveWindow(&window); // focus moves only inside the active window
    }

    template <typename Widget = QWidget> Widget* find(const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    test::TestRunner runner{session};
    std::shared_ptr<Simulator> simulator;
    QWidget window;
    CorvanControls* controls = new CorvanControls(session, runner, &window);
    MonitorPanel* monitor = new MonitorPanel(session, runner, &window);
};

TEST(CorvanViews, TunnelBoxHidesTransparentModeWhileTheTunnelStands) {
    CorvanViews views;
    auto* box = views.find<QCheckBox>("CheckCorvan");
    auto* setTM = views.find<QPushButton>("cmdSetTM");
    EXPECT_EQ(box->text(), "Use Corvan Tunneling");
    EXPECT_EQ(setTM->text(), "Activate Transparent Mode");
    box->click();
    EXPECT_TRUE(views.session.link.useCorvan);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(setTM->isHidden());
    box->click();
    EXPECT_FALSE(views.session.link.useCorvan);
    EXPECT_FALSE(setTM->isHidden());
    EXPECT_TRUE(views.prompter.messages.empty());
}

TEST(CorvanViews, MonitorPollsWhileItHoldsTheFocusAndSkipsTicksOfABusyRunner) {
    CorvanViews views;
    views.controls->findChild<QCheckBox*>("CheckCorvan")->click();
    auto* monitor = views.find<QPushButton>("CommandFBM(1)");
    auto* text = views.find<QPlainTextEdit>("textFBM");
    auto* timer = views.find<QTimer>("Timer2");
    EXPECT_FALSE(timer->isActive());
    monitor->click();
    monitor->click();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 100);

    views.simulator->queueReport({12, 0, 5, 100});
    views.session.operationRunning = true; // another operation runs: the tick does nothing
    views.monitor->poll();
    EXPECT_EQ(views.simulator->pendingReports(), 1u);
    views.session.operationRunning = false;
    views.monitor->poll();
    views.monitor->poll();
    EXPECT_EQ(text->toPlainText(), "Start Monitoring\n<12> <0> <5> <100> \n");

    views.find<QPushButton>("CommandFBM(2)")->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(text->toPlainText(), "Start Monitoring\n<12> <0> <5> <100> \nMonitoring Stopped\n");

    // A port that goes away while monitoring stops the monitor instead of a message per tick.
    monitor->click();
    views.session.port.port->close();
    views.monitor->poll();
    views.monitor->poll();
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(views.prompter.messages.empty()) << views.prompter.last();
    views.find<QPushButton>("CommandFBM(0)")->click();
    EXPECT_EQ(text->toPlainText(), "");
}

// The monitor on a standing tunnel whose interface goes silent: the first poll fails with one
// message and ends the monitor; pressing "Stop" while a poll waits ends that wait with none.
TEST(CorvanViews, MonitorEndsOnASilentInterfaceAndStopEndsAWaitingPoll) {
    struct ClickDuringWait : Progress {
        void keepAlive() override {
            if (++waits == 2 && target)
                QTest::mouseClick(target, Qt::LeftButton);
        }
        QWidget* target = nullptr;
        int waits = 0;
    };
    for (const bool pressStop : {false, true}) {
        test::TestBench bench; // fake clock, a scripted port that never answers
        bench.session.link.useCorvan = true;
        test::TestRunner runner{bench.session};
        QWidget window;
        auto* monitor = new MonitorPanel(bench.session, runner, &window);
        window.show();
        QApplication::setActiveWindow(&window);
        auto* stop = window.findChild<QPushButton*>(QStringLiteral("CommandFBM(2)"));
        ClickDuringWait clicker;
        clicker.target = pressStop ? stop : nullptr;
        bench.session.progress = &clicker;
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CommandFBM(1)")), Qt::LeftButton);
        ASSERT_TRUE(monitor->monitoring());
        const double start = bench.clock.now;
        monitor->poll();
        EXPECT_FALSE(monitor->monitoring());
        EXPECT_EQ(window.findChild<QPlainTextEdit*>(QStringLiteral("textFBM"))->toPlainText(),
                  "Start Monitoring\nMonitoring Stopped\n");
        EXPECT_EQ(bench.prompter.texts(),
                  pressStop ? std::vector<std::string>{} : std::vector<std::string>{"No answer from Corvan"});
        EXPECT_EQ(bench.clock.now - start < 1.0, pressStop);
    }
}

// The way a new user tries the tunnel: "Simulator (Corvan)", the tunnel box, module address 20,
// "Read All", the trace, then the monitor on the "Test" tab in expert mode.
TEST(CorvanViews, NewUserReadsAllThroughTheTunnelAndMonitorsReports) {
    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedFileDialogs dialogs;
    test::ScriptedPortProvider ports;
    ports.names = {CorvanSimulatorPortName};
    auto simulator = MakeDefaultSimulator();
    ports.factory = [&simulator](const std::string&) { return MakeSimLinePort(MakeDefaultCorvanInterface(simulator)); };
    MainWindow window(prompter, ports, clock, dialogs);
    window.show();
    QApplication::setActiveWindow(&window);
    auto find = [&window](const char* name) { return window.findChild<QWidget*>(QString::fromLatin1(name)); };

    auto* combo = static_cast<QComboBox*>(find("ComboPort"));
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    static_cast<QCheckBox*>(find("CheckCorvan"))->click();
    auto* address = static_cast<QLineEdit*>(find("TextAddress"));
    test::TypeAndEnter(address, QStringLiteral("20"));
    EXPECT_EQ(window.session().link.moduleAddress, 19);
    static_cast<QPushButton*>(find("CommandReadAll"))->click();
    window.dispatchPending();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
    EXPECT_EQ(window.session().image.module.idString, simulator->idString());
    EXPECT_NE(window.session().trace.text().find(">>  "), std::string::npos);

    window.setExpertMode(true);
    static_cast<QTabWidget*>(find("SSTab_Main"))->setCurrentIndex(MainWindow::TestTab);
    static_cast<QPushButton*>(find("CommandFBM(1)"))->click();
    auto* monitor = window.findChild<MonitorPanel*>();
    for (int tick = 0; tick < 3; ++tick)
        monitor->poll();
    EXPECT_TRUE(monitor->monitoring());
    EXPECT_EQ(static_cast<QPlainTextEdit*>(find("textFBM"))->toPlainText(),
              "Start Monitoring\n<0> <0> <1> <2> \n<0> <0> <1> <0> \n");
}

} // namespace
} // namespace vexa

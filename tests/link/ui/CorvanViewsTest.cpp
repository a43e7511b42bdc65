#include "link/ui/CorvanControls.h"
#include "link/ui/MonitorPanel.h"

#include "TestRunner.h"
#include "TestSeams.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
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
    views.find<QPushButton>("CommandFBM(0)")->click();
    EXPECT_EQ(text->toPlainText(), "");
}

} // namespace
} // namespace vexa

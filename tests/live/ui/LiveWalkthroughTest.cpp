// A user without hardware: expert mode, the port "Simulator", the simulator view open, a lamp
// test, a servo slider moved and an aspect tested.

#include "TestSeams.h"
#include "app/ui/MainWindow.h"
#include "live/ui/TestPage.h"
#include "pins/PinConfigTypes.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"
#include "sim/ui/SimulatorView.h"
#include "ui/WindowBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(LiveWalkthrough, SimulatorViewFollowsLampTestServoSliderAndAspectTest) {
    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedPortProvider ports;
    test::ScriptedFileDialogs dialogs;
    std::shared_ptr<Simulator> simulator = MakeDefaultSimulator();
    ports.names = {SimulatorPortName};
    ports.factory = [&simulator](const std::string&) { return MakeSimulatorPort(simulator); };
    MainWindow window(prompter, ports, clock, dialogs);
    window.show();
    QApplication::setActiveWindow(&window);
    window.setExpertMode(true);
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboPort"));
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    ASSERT_TRUE(window.session().port.isOpen());

    window.testPage().showSimulatorView();
    auto* view = window.findChild<SimulatorView*>(QStringLiteral("frmSimulatorView"));
    ASSERT_NE(view, nullptr);
    const auto shown = [view](int pin) {
        view->refresh();
        return view->display().outputs()[static_cast<std::size_t>(pin)];
    };

    window.findChild<QPushButton*>(QStringLiteral("Command_LT(0)"))->click();
    EXPECT_TRUE(shown(0).lampTest && shown(31).lampTest);

    // Pin 1 of the simulated controller drives a servo.
    Session& session = window.session();
    session.image.pins[0].configType = TypeServo;
    session.image.currentPin = 0;
    window.refreshAllViews();
    window.findChild<QTabWidget*>(QStringLiteral("SSTab_Main"))->setCurrentIndex(MainWindow::DeviceTab);
    auto* slider = window.findChild<QSlider*>(QStringLiteral("SliderServo"));
    window.findChild<QCheckBox*>(QStringLiteral("CheckPAspShowDetails"))->click(); // the type pages
    QApplication::setActiveWindow(&window);
    slider->setFocus();
    slider->setValue(25);
    QApplication::processEvents(); // the slider's move goes out once the pending input is handled
    EXPECT_EQ(shown(0).value, 25);
    EXPECT_EQ(shown(0).kind, SimOutputKind::Servo);

    // "Test" on aspect 1 of pin 2, which has aspects in the simulated controller.
    session.image.pins[1].aspectLayout = LayoutFourByNine;
    session.image.currentPin = 1;
    session.image.currentAspect = 1;
    window.refreshAllViews();
    auto* test = window.findChild<QPushButton*>(QStringLiteral("CommandPAspTestAspect"));
    const QPointF at(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, test->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(test, &press);
    EXPECT_EQ(shown(1).aspect, 1);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

// "Simulator (Corvan)": the same simulated controller stands behind the interface, and the view
// shows it while live commands travel through the tunnel.
TEST(LiveWalkthrough, SimulatorViewShowsTheControllerBehindTheCorvanSimulator) {
    test::WindowBench bench({CorvanSimulatorPortName});
    MainWindow& window = *bench.window;
    const test::RecordingPrompter& prompter = bench.prompter;
    window.show();
    window.setExpertMode(true);
    auto* combo = window.findChild<QComboBox*>(QStringLiteral("ComboPort"));
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    window.findChild<QCheckBox*>(QStringLiteral("CheckCorvan"))->click();
    ASSERT_TRUE(window.session().link.useCorvan) << prompter.last();

    window.testPage().showSimulatorView();
    auto* view = window.findChild<SimulatorView*>(QStringLiteral("frmSimulatorView"));
    ASSERT_NE(view, nullptr);
    window.findChild<QPushButton*>(QStringLiteral("Command_LT(0)"))->click();
    view->refresh();
    EXPECT_TRUE(view->display().outputs()[0].lampTest);
    EXPECT_EQ(view->findChild<QLabel*>(QStringLiteral("lblSimulatorStatus"))->text(),
              "Simulated controller behind a simulated Corvan interface");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

} // namespace
} // namespace vexa

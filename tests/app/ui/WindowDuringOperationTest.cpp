// The window while an operation waits on a slow controller: real mouse and key input reaches
// it, command words wait their turn, immediate controls and edits say that an operation runs,
// "Stop" in the status bar ends the operation, and a slider keeps following the hand. The
// operation runs on its own thread and asks its questions on the window's.

#include "app/ui/StatusProgress.h"
#include "events/EventTransfer.h"
#include "live/LiveRequests.h"
#include "module/SerialAddressing.h"
#include "pins/PinConfigTypes.h"
#include "sim/Simulator.h"

#include "WaitUntil.h"

#include "SentServoPositions.h"
#include "ui/SliderHandle.h"
#include "ui/UserInput.h"
#include "ui/WindowBench.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>

namespace vexa {
namespace {

using namespace std::chrono_literals;

// Input goes in where the window system delivers it, to the window at the widget's place, so
// that whatever blocks the window (a modal dialog) blocks it too.
QPoint InWindow(QWidget* widget, QPoint at) {
    return widget->window()->windowHandle()->mapFromGlobal(widget->mapToGlobal(at));
}
void Mouse(QTest::MouseAction action, QWidget* widget, QPoint at) {
    QTest::mouseEvent(action, widget->window()->windowHandle(), Qt::LeftButton, {}, InWindow(widget, at));
}
void Click(QWidget* widget) {
    Mouse(QTest::MouseClick, widget, widget->rect().center());
}
void Keys(QWidget* widget, const char* text, Qt::Key key) {
    widget->setFocus();
    for (const char* c = text; *c; ++c)
        QTest::keyClick(widget->window()->windowHandle(), *c);
    QTest::keyClick(widget->window()->windowHandle(), key);
}

class WindowDuringOperationTest : public ::testing::Test, protected test::WindowBench {
protected:
    void SetUp() override {
        window->show();
        QApplication::setActiveWindow(window.get());
        choosePort(SimulatorPortName);
    }
    void click(const char* name) { Click(find(name)); }
    void showTab(MainWindow::Tab tab) { find<QTabWidget>("SSTab_Main")->setCurrentIndex(tab); }
    bool versionShown() {
        return QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"))
            .match(find<QLabel>("LabelGenVersionString")->text())
            .hasMatch();
    }
};

TEST_F(WindowDuringOperationTest, ACommandWordClickedDuringAnOperationRunsAfterItAndStopEndsIt) {
    window->session().link.bidirectional = false; // one-way writes, each followed by a 100 ms pause
    window->refreshAllViews();
    showTab(MainWindow::DeviceTab);
    click("CommandWriteAllPins");
    bool stopShown = false;
    test::WhenReady(
        window.get(), [this] { return window->busy(); }, [this] { click("CommandReadAll"); });
    test::WhenReady(
        window.get(), [this] { return find("cmdStop")->isVisible() && find("barProgress")->isVisible(); },
        [this, &stopShown] {
            stopShown = true;
            click("cmdStop");
        });
    bool ranUnderTheMessage = false;
    prompter.whileShown = [this, &ranUnderTheMessage] { // "Stopped by the user" stays up a while
        QSignalSpy dispatchTicks(find<QTimer>("Timer1"), &QTimer::timeout);
        EXPECT_TRUE(QTest::qWaitFor([&dispatchTicks] { return dispatchTicks.count() >= 2; }, 30000));
        ranUnderTheMessage = ranUnderTheMessage || versionShown();
    };
    // How soon the write ends after "Stop" is bench_ui_stall's to measure.
    window->dispatchPending();
    prompter.whileShown = nullptr;
    EXPECT_FALSE(ranUnderTheMessage); // the dispatch timer waits until the message is gone
    EXPECT_TRUE(stopShown);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Stopped by the user"});
    // "Read All" did not run inside the write: the link is still one-way, nothing was read.
    EXPECT_FALSE(find<QCheckBox>("CheckVexaBD")->isChecked());
    EXPECT_FALSE(versionShown());
    EXPECT_TRUE(find("LabelAction")->isVisible()); // it waits for its turn
    EXPECT_TRUE(find("cmdStop")->isHidden());

    window->dispatchPending();
    EXPECT_TRUE(versionShown());
    EXPECT_TRUE(find<QCheckBox>("CheckVexaBD")->isChecked());
    EXPECT_TRUE(find("LabelAction")->isHidden());
    EXPECT_EQ(prompter.messages.size(), 1u) << prompter.last();
}

TEST_F(WindowDuringOperationTest, AnImmediateControlDuringAnOperationSaysSoAndChangesNothing) {
    find("FrameBitrate")->show();
    const PortState& port = window->session().port;
    const std::string settings = port.settings;
    const int address = window->session().link.moduleAddress;
    simulator->setLateDelay(500ms);
    simulator->injectFault(SimulatorFault::Late, 1);
    simulator->clearRequests();
    const std::vector<std::pair<const char*, std::function<void()>>> meanwhile{
        {"Read String", [this] { click("CommandGenIDRead"); }},
        {"Load File", [this] { click("CommandLoad"); }},
        {"Save File",
         [this] {
             Mouse(QTest::MousePress, find("CommandSave"), {4, 4});
         }},
        {"Refresh", [this] { click("cmdRefreshComm"); }},
        {"another port", [this] { Keys(find("ComboPort"), "", Qt::Key_Up); }},
        {"bit rate", [this] { click("OptionBitRate(2)"); }},
        {"Bidirectional Comm.", [this] { click("CheckVexaBD"); }},
        {"module address", [this] { Keys(find("TextAddress"), "2", Qt::Key_Return); }},
        {"close", [this] { window->close(); }},
    };
    std::vector<std::string> notSaid;
    test::WhenReady(
        window.get(), [this] { return window->busy(); },
        [&] {
            for (const auto& [what, action] : meanwhile) {
                window->statusBar()->clearMessage();
                action();
                if (window->statusBar()->currentMessage() != QLatin1String(OperationRunsText))
                    notSaid.push_back(what);
            }
        });
    click("CommandGenVersion");
    EXPECT_TRUE(notSaid.empty()) << notSaid.front();
    EXPECT_TRUE(versionShown());
    const auto& requests = simulator->requests(); // the version request only (after the link's synchronising)
    EXPECT_EQ(
        std::count_if(requests.begin(), requests.end(), [](const auto& request) { return !request.data.empty(); }), 1);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
    EXPECT_TRUE(dialogs.filters.empty()); // no file dialog opened
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.name, SimulatorPortName);
    EXPECT_EQ(port.settings, settings);
    EXPECT_TRUE(find<QCheckBox>("CheckVexaBD")->isChecked());
    EXPECT_EQ(window->session().link.moduleAddress, address);
    EXPECT_EQ(find<QLineEdit>("TextAddress")->text(), QString::number(address + 1));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowDuringOperationTest, AnEditTypedWhileWriteAllWaitsIsRefusedAndSaysSo) {
    simulator->setLateDelay(300ms);
    simulator->injectFault(SimulatorFault::Late, 1); // the identity string's answer
    simulator->clearRequests();
    const std::string idString = window->session().image.module.idString;
    click("CommandWriteAll");
    const auto stringSent = [this] { // the identity string has gone out and waits for its answer
        const auto requests = simulator->requests();
        return std::any_of(requests.begin(), requests.end(), [](const auto& request) { return !request.data.empty(); });
    };
    QString said;
    test::WhenReady(
        window.get(), [this, stringSent] { return window->busy() && stringSent(); },
        [this, &said] {
            window->statusBar()->clearMessage();
            Keys(find("TextGenIDString"), "Yard", Qt::Key_Tab);
            said = window->statusBar()->currentMessage();
        });
    window->dispatchPending();
    // Never read: the write leaves the controller's enforced mode and enable map as they are.
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{EnableMapUnknownText, EnforcedUnknownText}));
    EXPECT_EQ(said, QLatin1String(OperationRunsText));
    EXPECT_EQ(window->session().image.module.idString, idString); // the image was the write's
    EXPECT_FALSE(window->hasUnsavedChanges());
}

TEST_F(WindowDuringOperationTest, AnOperationRunsOnItsOwnThreadAndAsksItsQuestionsOnTheWindowsThread) {
    std::atomic<int> ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(5);
    bool askedOnWindowThread = false;
    prompter.answers.push_back(true);
    prompter.whileShown = [&askedOnWindowThread] {
        askedOnWindowThread = QThread::currentThread() == QApplication::instance()->thread();
    };
    bool ranElsewhere = false;
    const bool passed = window->runNow("Wait", [&](Session& session) {
        ranElsewhere = QThread::currentThread() != QApplication::instance()->thread();
        // Ends once the window's timer has ticked meanwhile: the window's thread is not held.
        const bool ticked = test::WaitUntil([&ticks] { return ticks >= 3; });
        return ticked && session.prompter.ask(MessageKind::OkCancelWarning, "Go on?");
    });
    prompter.whileShown = nullptr;
    EXPECT_TRUE(passed);
    EXPECT_TRUE(ranElsewhere);
    EXPECT_TRUE(askedOnWindowThread);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Go on?"});
}

TEST_F(WindowDuringOperationTest, ASliderDraggedDuringASlowAnswerFollowsAndItsLatestValueIsSentLast) {
    window->session().image.pins[0].configType = TypeServo;
    window->session().link.bidirectional = true; // each position waits for its answer
    showTab(MainWindow::DeviceTab);
    window->refreshAllViews();
    click("CheckPAspShowDetails"); // the type pages
    auto* slider = find<QSlider>("SliderServo");
    ASSERT_TRUE(slider->isVisible());
    simulator->setLateDelay(600ms);
    simulator->injectFault(SimulatorFault::Late, EveryAnswer);
    simulator->clearRequests();

    QPoint at = test::SliderHandleCentre(slider);
    Mouse(QTest::MousePress, slider, at);
    std::vector<int> followed; // the slider's values as the hand moves it
    int followedWhileWaiting = 0;
    QObject::connect(slider, &QSlider::valueChanged, [&](int value) {
        followed.push_back(value);
        followedWhileWaiting += window->busy() ? 1 : 0;
    });
    int moves = 0;
    std::function<void()> moveHand = [&] {
        ++moves;
        at += QPoint(8, 0);
        if (moves < 12) // the hand goes on while a position's request waits for its answer
            test::WhenReady(
                window.get(), [this] { return window->busy(); }, moveHand);
        Mouse(QTest::MouseMove, slider, at);
        if (moves == 12)
            Mouse(QTest::MouseRelease, slider, at);
    };
    test::WhenReady(
        window.get(), [] { return true; }, moveHand);
    const auto positions = [this] { return test::SentServoPositions(*simulator); };
    // Until the last position has gone out and been answered: nothing more goes out then.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return moves == 12 && !window->busy() && !positions().empty() && positions().back() == slider->value(); },
        30000));

    ASSERT_EQ(followed.size(), 12u);
    EXPECT_TRUE(std::is_sorted(followed.begin(), followed.end()));
    EXPECT_NEAR(test::SliderHandleCentre(slider).x(), at.x(), 4); // under the hand
    EXPECT_GE(followedWhileWaiting, 8);                           // also while a position waited for its answer
    const std::vector<int> sent = positions();
    EXPECT_GE(sent.size(), 2u);
    EXPECT_LE(sent.size(), 3u);
    EXPECT_EQ(sent.back(), followed.back());
    EXPECT_EQ(window->session().image.pins[0].liveValue, followed.back() + ServoPositionOffset);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.last();
}

} // namespace
} // namespace vexa

// How long the real window goes without handling its events while operations run: a 10 ms
// timer ticks on the window thread, and the longest gap between two ticks is printed for
//   - "Write All Devices" with "Bidirectional Comm." off (one-way writes paced by 100 ms
//     pauses), stopped with "Stop" after a few seconds;
//   - "Read All" over the simulated controller paced at 19200 bit/s;
//   - "Request Version" with a controller that does not answer (one 2 s time-out);
//   - a servo slider dragged for 4 s against a controller that answers each position after
//     1.5 s: the slider stays under the hand, and the last position sent is where it ended.
// Beside each gap, the longest single event the window's thread handled (a timer, a repaint,
// a queued call from the operation's thread), with its receiver: what the window itself spent,
// apart from what a loaded machine takes by not giving it the processor. The idle window's gap
// is that share of the machine.
// Runs offscreen unless a platform is chosen.

#include "BenchSupport.h"
#include "SentServoPositions.h"
#include "ui/SliderHandle.h"

#include "app/ui/MainWindow.h"
#include "live/LiveRequests.h"
#include "pins/PinConfigTypes.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr int BitRate = 19200;
constexpr int TickMs = 10;
constexpr qint64 TargetGapMs = 50;
constexpr int OneWayRunMs = 5000;
constexpr int DragMs = 4000;
constexpr int HandStepMs = 20;
constexpr std::chrono::milliseconds LateAnswer{1500};
const char* const SilentPortName = "Silent";

// A controller that takes every byte and never answers.
class SilentPort : public vexa::SerialPort {
public:
    bool open(const std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setSettings(const std::string&) override { return true; }
    bool writeByte(std::uint8_t) override { return open_; }
    int bytesWaiting() override { return 0; }
    int readByte() override { return -1; }
    bool waitReadable(int timeoutMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return false;
    }
    std::string errorString() const override { return {}; }

private:
    bool open_ = false;
};

class BenchPorts : public vexa::PortProvider {
public:
    explicit BenchPorts(std::shared_ptr<vexa::Simulator> simulator) : simulator_(std::move(simulator)) {}
    std::vector<std::string> scanPorts() override { return {vexa::SimulatorPortName, SilentPortName}; }
    std::unique_ptr<vexa::SerialPort> makePort(const std::string& name) override {
        if (name == SilentPortName)
            return std::make_unique<SilentPort>();
        return vexa::MakeSimulatorPort(simulator_);
    }

private:
    std::shared_ptr<vexa::Simulator> simulator_;
};

class NoFileDialogs : public vexa::FileDialogs {
public:
    std::string openFileName(const std::string&) override { return {}; }
    std::string saveFileName(const std::string&) override { return {}; }
    std::string folderName(const std::string&) override { return {}; }
};

template <typename Widget> Widget* Find(QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

void ChoosePort(vexa::MainWindow& window, const char* name) {
    auto* combo = Find<QComboBox>(window, "ComboPort");
    const int index = combo->findText(QString::fromLatin1(name));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void SendMouse(QSlider* slider, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, slider->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
}

struct Drag {
    int moves = 0;
    int followed = 0;      // moves after which the handle was under the hand
    int lastPosition = 0;  // where the slider ended
    std::vector<int> sent; // servo positions the controller received
};

// Drags the servo slider to and fro for DragMs, one step every HandStepMs, then waits until the
// last position has gone out and been answered.
Drag DragServoSlider(vexa::MainWindow& window, vexa::Simulator& simulator) {
    auto* slider = Find<QSlider>(window, "SliderServo");
    slider->setFocus();
    QPoint at = vexa::test::SliderHandleCentre(slider);
    SendMouse(slider, QEvent::MouseButtonPress, at, Qt::LeftButton);
    Drag drag;
    int step = 6;
    QTimer hand;
    QElapsedTimer dragging;
    QObject::connect(&hand, &QTimer::timeout, [&] {
        if (dragging.elapsed() >= DragMs) {
            hand.stop();
            SendMouse(slider, QEvent::MouseButtonRelease, at, Qt::NoButton);
            return;
        }
        if (at.x() + step > slider->width() - 8 || at.x() + step < 8)
            step = -step;
        at.rx() += step;
        SendMouse(slider, QEvent::MouseMove, at, Qt::LeftButton);
        ++drag.moves;
        drag.followed += std::abs(vexa::test::SliderHandleCentre(slider).x() - at.x()) <= 4 ? 1 : 0;
    });
    dragging.start();
    hand.start(HandStepMs);
    const auto lastSent = [&simulator] {
        const std::vector<int> sent = vexa::test::SentServoPositions(simulator);
        return sent.empty() ? INT32_MIN : sent.back();
    };
    while (hand.isActive() || window.busy() || lastSent() != slider->value())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    drag.lastPosition = slider->value();
    drag.sent = vexa::test::SentServoPositions(simulator);
    return drag;
}

struct LongestEvent {
    qint64 ms = 0;
    std::string what;
};

// Times every event the window's thread handles that handles no other event inside it (a
// nested event loop's wait is no event's time).
class ProbedApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        const std::uint64_t mine = ++deliveries_;
        const int type = event->type(); // the event may be gone afterwards
        QElapsedTimer took;
        took.start();
        const bool handled = QApplication::notify(receiver, event);
        if (deliveries_ == mine && took.elapsed() > longest.ms)
            longest = {took.elapsed(), describe(receiver, type)};
        return handled;
    }

    LongestEvent longest;

private:
    static std::string describe(QObject* receiver, int type) {
        const QString name = receiver->objectName();
        return std::string(receiver->metaObject()->className()) +
               (name.isEmpty() ? std::string() : " " + name.toStdString()) + ", event " + std::to_string(type);
    }

    std::uint64_t deliveries_ = 0;
};

struct Measured {
    qint64 longestGapMs = 0;
    qint64 elapsedMs = 0;
    LongestEvent longestEvent;
};

// Runs the action with a 10 ms timer ticking and measures the longest gap between its ticks.
Measured MeasureStall(const std::function<void()>& action) {
    QTimer ticker;
    QElapsedTimer sinceTick;
    Measured measured;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { measured.longestGapMs = std::max(measured.longestGapMs, sinceTick.restart()); });
    QElapsedTimer total;
    auto& probe = static_cast<ProbedApplication&>(*QApplication::instance());
    probe.longest = {};
    ticker.start(TickMs);
    sinceTick.start();
    total.start();
    action();
    measured.longestGapMs = std::max(measured.longestGapMs, sinceTick.elapsed());
    measured.elapsedMs = total.elapsed();
    measured.longestEvent = probe.longest;
    return measured;
}

bool Report(const char* what, const Measured& measured) {
    const bool ok = measured.longestGapMs <= TargetGapMs;
    std::printf("%-52s longest gap %4lld ms over %6lld ms (target %lld ms or less) %s\n", what,
                static_cast<long long>(measured.longestGapMs), static_cast<long long>(measured.elapsedMs),
                static_cast<long long>(TargetGapMs), ok ? "ok" : "MISSED");
    std::printf("%-52s longest event %4lld ms (%s)\n", "", static_cast<long long>(measured.longestEvent.ms),
                measured.longestEvent.what.c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ProbedApplication application(argc, argv);
    auto simulator = vexa::MakeDefaultSimulator();
    BenchPorts ports(simulator);
    vexa::bench::CountingPrompter prompter(false);
    vexa::SystemClock clock;
    NoFileDialogs dialogs;
    vexa::MainWindow window(prompter, ports, clock, dialogs);
    // "Read All" replaces the pins edited below: the bench drops them without asking.
    window.setSaveQuestion([] { return vexa::MainWindow::SaveChoice::Discard; });
    window.show();
    QApplication::processEvents();

    // "Write All Devices" one-way: every pin with four aspects of nine steps, stopped after 5 s.
    ChoosePort(window, vexa::SimulatorPortName);
    for (vexa::PinRecord& pin : window.session().image.pins)
        pin.aspectLayout = vexa::LayoutFourByNine;
    window.refreshAllViews();
    if (window.session().link.bidirectional)
        Find<QCheckBox>(window, "CheckVexaBD")->click();
    Find<QPushButton>(window, "CommandWriteAllPins")->click();
    QElapsedTimer stopAsked;
    QTimer::singleShot(OneWayRunMs, &window, [&window, &stopAsked] {
        stopAsked.start();
        Find<QPushButton>(window, "cmdStop")->click();
    });
    const Measured writeAll = MeasureStall([&window] { window.dispatchPending(); });
    const qint64 stopTookMs = stopAsked.isValid() ? stopAsked.elapsed() : -1;

    // "Read All" at 19200 bit/s, answers on.
    simulator->setPacing(BitRate);
    prompter.count = 0;
    Find<QPushButton>(window, "CommandReadAll")->click();
    const Measured readAll = MeasureStall([&window] { window.dispatchPending(); });
    const bool readPassed = prompter.count == 0;

    // "Request Version" without an answer: one 2 s time-out.
    ChoosePort(window, SilentPortName);
    const Measured version = MeasureStall([&window] { Find<QPushButton>(window, "CommandGenVersion")->click(); });

    // A servo slider on pin 1 dragged while every answer comes 1.5 s late.
    ChoosePort(window, vexa::SimulatorPortName);
    window.session().image.pins[0].configType = vexa::TypeServo;
    window.session().image.currentPin = 0;
    window.session().link.bidirectional = true;
    Find<QTabWidget>(window, "SSTab_Main")->setCurrentIndex(vexa::MainWindow::DeviceTab);
    if (!Find<QCheckBox>(window, "CheckPAspShowDetails")->isChecked())
        Find<QCheckBox>(window, "CheckPAspShowDetails")->click();
    window.refreshAllViews();
    simulator->setPacing(0);
    simulator->setLateDelay(LateAnswer);
    simulator->injectFault(vexa::SimulatorFault::Late, vexa::EveryAnswer);
    simulator->clearRequests();
    prompter.count = 0;
    Drag drag;
    const Measured slider = MeasureStall([&] { drag = DragServoSlider(window, *simulator); });
    simulator->clearFaults();
    const bool dragFollowed = drag.moves > 0 && drag.followed == drag.moves && !drag.sent.empty() &&
                              drag.sent.back() == drag.lastPosition && prompter.count == 0;

    // The same measure with the window idle for 2 s: what the machine itself adds.
    const Measured idle = MeasureStall([] {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    });

    std::printf("window stall, %d ms timer, offscreen window\n", TickMs);
    std::printf("%-52s longest gap %4lld ms (the machine's own share), longest event %lld ms (%s)\n",
                "idle window (baseline)", static_cast<long long>(idle.longestGapMs),
                static_cast<long long>(idle.longestEvent.ms), idle.longestEvent.what.c_str());
    bool ok = Report("Write All Devices, Bidirectional Comm. off (5 s)", writeAll);
    std::printf("%-52s %lld ms after Stop (target 100 ms or less) %s\n", "  operation ended",
                static_cast<long long>(stopTookMs), stopTookMs >= 0 && stopTookMs <= 100 ? "ok" : "MISSED");
    ok = Report(readPassed ? "Read All, 19200 bit/s" : "Read All, 19200 bit/s (FAILED to read)", readAll) && ok;
    ok = Report("Request Version, no answer", version) && ok;
    ok = Report("servo slider dragged, answers after 1.5 s (4 s)", slider) && ok;
    std::printf("%-52s %d of %d moves under the hand, %zu positions sent, last %d, slider at %d %s\n",
                "  slider followed", drag.followed, drag.moves, drag.sent.size(),
                drag.sent.empty() ? 0 : drag.sent.back(), drag.lastPosition, dragFollowed ? "ok" : "MISSED");
    return ok && readPassed && dragFollowed ? 0 : 1;
}

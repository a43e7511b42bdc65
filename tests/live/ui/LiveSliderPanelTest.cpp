// The PWM and servo live panels on the pin page: their bytes, and a drag against a controller
// that does not answer.

#include "../../pins/PinFrames.h"
#include "../LiveFrames.h"
#include "TestRunner.h"
#include "dialogs/ui/PinDialogs.h"
#include "live/ui/LiveControls.h"
#include "pins/PinConfigTypes.h"
#include "pins/ui/PinPage.h"
#include "ui/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Values = std::vector<int>;

class LiveSliderPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::SynchronisedLink(bench);
        bench.session.link.bidirectional = false;
        page = std::make_unique<PinPage>(bench.session, runner, dialogs);
        views = AddLiveControls(bench.session, runner, *page);
        page->resize(1250, 650);
        page->show();
        QApplication::setActiveWindow(page.get());
    }
    void showPin(int pin, std::uint8_t type) {
        bench.session.image.currentPin = pin;
        bench.session.image.pins[static_cast<std::size_t>(pin)].configType = type;
        page->refreshFromSession();
        for (SessionView* view : views)
            view->refreshFromSession();
    }
    template <typename T> T* find(const char* name) {
        T* widget = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Lets the event loop send what the slider has collected.
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    std::vector<Values> sent() {
        std::vector<Values> data;
        for (const Values& frame : test::WrittenFrames(bench.port()))
            data.push_back(test::FrameData(frame));
        return data;
    }

    test::TestBench bench;
    test::TestRunner runner{bench.session};
    PinDialogs dialogs{bench.session, nullptr};
    std::unique_ptr<PinPage> page;
    std::vector<SessionView*> views;
};

TEST_F(LiveSliderPanelTest, SlowPwmThenJumpAndServoPositions) {
    showPin(5, TypePwm);
    auto* slider = find<QSlider>("SliderPWM");
    find<QCheckBox>("CheckPWMSlow")->setChecked(true);
    // Without the focus (a value set by the program) the slider sends nothing.
    slider->setValue(3);
    settle();
    EXPECT_TRUE(bench.port().written.empty());
    slider->setFocus();
    for (int level = 10; level <= 20; ++level) // a burst of moves before the event loop runs
        slider->setValue(level);
    settle();
    find<QPushButton>("CommandPWMJump")->click();
    EXPECT_EQ(sent(), (std::vector<Values>{{0, 54, 5, 20}, {0, 38, 5, 20}}));
    EXPECT_EQ(bench.session.image.pins[5].liveValue, 20);
    EXPECT_EQ(find<QLineEdit>("TextPWMLevel")->text(), QStringLiteral("20"));

    bench.port().written.clear();
    showPin(2, TypeServo);
    auto* servo = find<QSlider>("SliderServo");
    servo->setFocus();
    servo->setValue(-10);
    find<QLineEdit>("TextPosition")->setText(QStringLiteral("70"));
    find<QPushButton>("CommandSrvLevel")->click(); // clamped to 63
    EXPECT_EQ(sent(), (std::vector<Values>{{0, 39, 2, 54}, {0, 39, 2, 127}}));
    EXPECT_EQ(bench.session.image.pins[2].liveValue, 127);
    EXPECT_EQ(servo->value(), 63);

    // Another servo pin shows its own live value, and the first one its value again.
    bench.session.image.pins[3].configType = TypeServo;
    bench.session.image.pins[3].liveValue = 64;
    auto* pinField = find<QLineEdit>("TextPAspOutput");
    test::TypeAndEnter(pinField, QStringLiteral("4"));
    EXPECT_EQ(servo->value(), 0);
    test::TypeAndEnter(pinField, QStringLiteral("3"));
    EXPECT_EQ(servo->value(), 63);
}

// Moves the slider one step each time the link keeps the window alive while it waits, as a
// user's drag would while a request is on its way.
class DraggingProgress : public Progress {
public:
    explicit DraggingProgress(QSlider* slider) : slider_(slider) {}
    void keepAlive() override {
        if (slider_->value() < slider_->maximum())
            slider_->setValue(slider_->value() + 1);
    }

private:
    QSlider* slider_;
};

TEST_F(LiveSliderPanelTest, DragAgainstASilentControllerSendsFewRequestsEndingAtTheLastPosition) {
    showPin(4, TypePwm);
    bench.session.link.bidirectional = true; // every request waits 2 s for an answer that never comes
    auto* slider = find<QSlider>("SliderPWM");
    DraggingProgress dragging(slider);
    Progress* idle = bench.session.progress;
    bench.session.progress = &dragging;
    slider->setFocus();
    slider->setValue(1);
    settle();
    bench.session.progress = idle;

    const std::vector<Values> requests = sent();
    ASSERT_FALSE(requests.empty());
    EXPECT_LE(requests.size(), 3u);
    EXPECT_EQ(slider->value(), 31);
    EXPECT_EQ(requests.back(), (Values{0, 38, 4, 31}));
    EXPECT_EQ(bench.session.image.pins[4].liveValue, 31);
}

} // namespace
} // namespace vexa

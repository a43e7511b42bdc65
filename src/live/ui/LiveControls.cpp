#include "live/ui/LiveControls.h"

#include "core/ui/PressButton.h"
#include "live/AspectTest.h"
#include "live/ui/LiveSliderPanel.h"
#include "pins/ui/PinPage.h"

#include <QTabWidget>

namespace vexa {

std::vector<SessionView*> AddLiveControls(Session& session, OperationRunner& runner, PinPage& page) {
    auto* test = new PressButton(QStringLiteral("Test"), &page);
    test->setObjectName(QStringLiteral("CommandPAspTestAspect"));
    test->setToolTip(QStringLiteral("Alt + Test shows the message forms"));
    QObject::connect(test, &PressButton::leftPressed, &page, [&runner](Qt::KeyboardModifiers modifiers) {
        const TestKeys keys{modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
                            modifiers.testFlag(Qt::AltModifier)};
        runner.runNow("Test aspect", [keys](Session& running) { return TestAspect(running, keys); });
    });
    page.addAspectWidget(test);

    auto* pwm = new LiveSliderPanel(session, runner, PwmLiveSpec, &page);
    auto* servo = new LiveSliderPanel(session, runner, ServoLiveSpec, &page);
    page.addTypePageWidget(TypeFamily::Pwm, pwm);
    page.addTypePageWidget(TypeFamily::Servo, servo);
    // Another pin, or another type for this one (which brings its own live value): show it.
    const auto showLiveValues = [pwm, servo] {
        pwm->refreshFromSession();
        servo->refreshFromSession();
    };
    QObject::connect(&page, &PinPage::currentPinShown, pwm, showLiveValues);
    if (auto* types = page.findChild<QTabWidget*>(QStringLiteral("SSTabPCFG")))
        QObject::connect(types, &QTabWidget::currentChanged, pwm, showLiveValues);
    return {pwm, servo};
}

} // namespace vexa

#pragma once

#include "core/OperationRunner.h"
#include "core/Session.h"
#include "core/ui/SessionView.h"
#include "live/CoalescingSender.h"
#include "pins/PinConfigTypes.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QSlider;
class QTimer;

namespace vexa {

// The names, captions and range of one live slider panel (PWM level or servo position).
struct LiveSliderSpec {
    TypeFamily family;
    const char* sliderName;
    const char* fieldName;
    const char* fieldCaption;
    const char* applyName; // "<"
    const char* jumpName;  // "Jump"
    const char* checkName; // "Slow" / "Dynamic"
    const char* checkCaption;
    int minimum;
    int maximum;
    int storedOffset; // liveValue = shown value + storedOffset
};

extern const LiveSliderSpec PwmLiveSpec;
extern const LiveSliderSpec ServoLiveSpec;

// The live part of the PWM or servo page: a slider, its number field, "<", "Jump" and the
// dynamics box. The slider sends while the user moves it (port open, slider focused); the
// requests go out one at a time, and only the latest position waits while one is on its way.
class LiveSliderPanel : public QWidget, public SessionView {
    Q_OBJECT
public:
    LiveSliderPanel(Session& session, OperationRunner& runner, const LiveSliderSpec& spec, QWidget* parent = nullptr);

    void refreshFromSession() override;

private:
    bool pinIsOurs() const;
    void sliderMoved(int value);
    void applyField();
    void jump();
    void showValue(int value);
    void send(int value, bool dynamic);

    Session& session_;
    OperationRunner& runner_;
    const LiveSliderSpec& spec_;
    CoalescingSender sender_;
    QSlider* slider_ = nullptr;
    QLineEdit* field_ = nullptr;
    QCheckBox* dynamic_ = nullptr;
    QTimer* retry_ = nullptr; // sends what waits once another operation has ended
};

} // namespace vexa

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
// dynamics box. The slider sends while the user moves it (port open, slider focused): its moves
// are collected until the input waiting in the event loop is handled, and the requests go out
// one at a time, only the latest position waiting while one is on its way. So a drag never
// queues requests behind a slow controller and ends with the controller at its last position.
class LiveSliderPanel : public QWidget, public SessionView {
    Q_OBJECT
public:
    LiveSliderPanel(Session& session, OperationRunner& runner, const LiveSliderSpec& spec, QWidget* parent = nullptr);

    void refreshFromSession() override;

private:
    bool pinIsOurs() const;
    // Keeps the shown value as the pin's live value, when the pin is of this panel's type.
    bool storeLiveValue(int value);
    std::string title() const;
    void sliderMoved(int value);
    void applyField();
    void jump();
    void showValue(int value);
    Operation request(int value, bool dynamic) const;
    void send(int value, bool dynamic);

    Session& session_;
    OperationRunner& runner_;
    const LiveSliderSpec& spec_;
    CoalescingSender sender_;
    QSlider* slider_ = nullptr;
    QLineEdit* field_ = nullptr;
    QCheckBox* dynamic_ = nullptr;
    QTimer* flush_ = nullptr; // sends what waits once the pending input and any other operation are done
};

} // namespace vexa

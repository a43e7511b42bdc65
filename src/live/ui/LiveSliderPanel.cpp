#include "live/ui/LiveSliderPanel.h"

#include "core/NumberField.h"
#include "core/ui/FocusedWheel.h"
#include "core/ui/InputWhileBusy.h"
#include "core/ui/NamedButton.h"
#include "live/LiveRequests.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>

namespace vexa {

namespace {

constexpr int RetryMs = 50; // while another operation runs
const char* const SliderTip = "Move slider for target position";
const char* const FieldTip = "Servo Target Position";
const char* const JumpTip = "Jump to target position immediately, override dynamic parameters";
const char* const DynamicTip = "If checked, use active dynamic parameters, else go directly to position";

} // namespace

const LiveSliderSpec PwmLiveSpec{
    TypeFamily::Pwm, "SliderPWM", "TextPWMLevel",  "Level", "CommandPWMLevel", "CommandPWMJump", "CheckPWMSlow",
    "       Slow",   0,           PwmLevelMaximum, 0};
const LiveSliderSpec ServoLiveSpec{TypeFamily::Servo,    "SliderServo",        "TextPosition",     "Position",
                                   "CommandSrvLevel",    "CommandStopSrv",     "CheckSrvDynamic",  "      Dynamic",
                                   ServoPositionMinimum, ServoPositionMaximum, ServoPositionOffset};

LiveSliderPanel::LiveSliderPanel(Session& session, OperationRunner& runner, const LiveSliderSpec& spec, QWidget* parent)
    : QWidget(parent), session_(session), runner_(runner), spec_(spec), sender_(runner) {
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QLatin1String(spec.sliderName));
    slider_->setRange(spec.minimum, spec.maximum);
    slider_->setToolTip(QLatin1String(SliderTip));
    TakeWheelOnlyWhenFocused(slider_); // scrolling the page past it moves no servo
    slider_->setMinimumWidth(200);
    field_ = new QLineEdit(QStringLiteral("0"), this);
    field_->setObjectName(QLatin1String(spec.fieldName));
    field_->setToolTip(QLatin1String(FieldTip));
    field_->setFixedWidth(44);
    auto* apply = NamedButton(spec.applyName, QStringLiteral("<"), this);
    apply->setFixedWidth(28);
    auto* jump = NamedButton(spec.jumpName, QStringLiteral("Jump"), this);
    jump->setToolTip(QLatin1String(JumpTip));
    dynamic_ = new QCheckBox(QLatin1String(spec.checkCaption), this);
    dynamic_->setObjectName(QLatin1String(spec.checkName));
    dynamic_->setToolTip(QLatin1String(DynamicTip));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 4, 0, 0);
    row->addWidget(slider_, 1);
    row->addWidget(new QLabel(QLatin1String(spec.fieldCaption), this));
    row->addWidget(field_);
    row->addWidget(apply);
    row->addWidget(jump);
    row->addWidget(dynamic_);

    flush_ = new QTimer(this);
    flush_->setSingleShot(true);
    connect(flush_, &QTimer::timeout, this, [this] {
        sender_.flush();
        if (sender_.pending())
            flush_->start(RetryMs);
    });
    connect(slider_, &QSlider::valueChanged, this, &LiveSliderPanel::sliderMoved);
    AcceptInputWhileBusy(slider_); // its positions wait in the coalescing sender
    connect(apply, &QPushButton::clicked, this, &LiveSliderPanel::applyField);
    connect(jump, &QPushButton::clicked, this, &LiveSliderPanel::jump);
}

bool LiveSliderPanel::pinIsOurs() const {
    TypeFamily family{};
    return FamilyOfType(session_.image.pins.at(static_cast<std::size_t>(session_.image.currentPin)).configType,
                        family) &&
           family == spec_.family;
}

void LiveSliderPanel::refreshFromSession() {
    if (!pinIsOurs())
        return;
    const int live = session_.image.pins[static_cast<std::size_t>(session_.image.currentPin)].liveValue;
    showValue(std::clamp(live - spec_.storedOffset, spec_.minimum, spec_.maximum));
}

void LiveSliderPanel::showValue(int value) {
    const QSignalBlocker blocker(slider_);
    slider_->setValue(value);
    field_->setText(QString::number(value));
}

void LiveSliderPanel::sliderMoved(int value) {
    field_->setText(QString::number(value));
    if (!storeLiveValue(value))
        return;
    if (session_.port.isOpen() && slider_->hasFocus()) {
        sender_.post(title(), request(value, dynamic_->isChecked()));
        if (!flush_->isActive())
            flush_->start(0);
    }
}

void LiveSliderPanel::applyField() {
    const int value = ClampedFieldValue(field_->text().toStdString(), spec_.minimum, spec_.maximum);
    showValue(value);
    if (storeLiveValue(value) && session_.port.isOpen())
        send(value, dynamic_->isChecked());
}

bool LiveSliderPanel::storeLiveValue(int value) {
    if (!pinIsOurs())
        return false;
    session_.image.pins[static_cast<std::size_t>(session_.image.currentPin)].liveValue =
        static_cast<std::uint8_t>(value + spec_.storedOffset);
    return true;
}

std::string LiveSliderPanel::title() const {
    return spec_.family == TypeFamily::Servo ? "Servo position" : "PWM level";
}

void LiveSliderPanel::jump() {
    send(slider_->value(), false);
}

Operation LiveSliderPanel::request(int value, bool dynamic) const {
    const int pin = session_.image.currentPin;
    const bool servo = spec_.family == TypeFamily::Servo;
    return [pin, value, dynamic, servo](Session& session) {
        return servo ? SendServoPosition(session, pin, value, dynamic) : SendPwmLevel(session, pin, value, dynamic);
    };
}

// The buttons send at once, after any slider move still waiting.
void LiveSliderPanel::send(int value, bool dynamic) {
    sender_.send(title(), request(value, dynamic));
    if (sender_.pending() && !flush_->isActive())
        flush_->start(RetryMs);
}

} // namespace vexa

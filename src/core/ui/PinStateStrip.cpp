#include "core/ui/PinStateStrip.h"

#include "core/ui/HeldMarks.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace vexa {

namespace {

constexpr int StripPins = 32;
constexpr int PinsPerLine = 16; // two lines: the marks widen each button, and a small screen has no room for 32

} // namespace

PinStateStrip::PinStateStrip(const QString& name, const QString& caption, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    auto* label = new QLabel(caption, this);
    label->setToolTip(HeldMarksLegend());
    grid->addWidget(label, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    for (int pin = 0; pin < StripPins; ++pin) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(pin));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, pin] { emit pinChosen(pin); });
        buttons_.push_back(button);
        grid->addWidget(button, pin / PinsPerLine, 1 + pin % PinsPerLine);
    }
    grid->setColumnStretch(1 + PinsPerLine, 1);
}

void PinStateStrip::showStates(const std::function<HeldState(int pin)>& stateOf, int current, int numberingBase) {
    for (int pin = 0; pin < StripPins; ++pin) {
        QToolButton* button = buttons_[static_cast<std::size_t>(pin)];
        const HeldState state = stateOf(pin);
        button->setText(MarkedCaption(QString::number(pin + numberingBase), state));
        button->setChecked(pin == current);
        button->setToolTip(QStringLiteral("Pin %1: %2").arg(pin + numberingBase).arg(HeldStateText(state)));
        button->setAccessibleName(QStringLiteral("Pin %1").arg(pin + numberingBase));
        MarkHeldState(button, state);
    }
}

} // namespace vexa

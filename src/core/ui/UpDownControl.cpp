#include "core/ui/UpDownControl.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace vexa {

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setFixedWidth(18);
    return button;
}

} // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(Qt::UpArrow, this)), down_(MakeArrow(Qt::DownArrow, this)) {
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    up_->setAccessibleName(QStringLiteral("Up"));
    down_->setAccessibleName(QStringLiteral("Down"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDownControl::setRange(int lowest, int highest) {
    lowest_ = lowest;
    highest_ = std::max(lowest, highest);
    value_ = std::clamp(value_, lowest_, highest_);
}

void UpDownControl::setValue(int value) {
    value_ = std::clamp(value, lowest_, highest_);
}

void UpDownControl::stepBy(int steps) {
    const int next = std::clamp(value_ + steps, lowest_, highest_);
    if (next == value_)
        return;
    value_ = next;
    emit valueStepped(value_);
}

void UpDownControl::wheelEvent(QWheelEvent* event) {
    if (!field_ || !field_->hasFocus()) {
        event->ignore(); // the page behind scrolls
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta != 0)
        stepBy(delta > 0 ? 1 : -1);
    event->accept();
}

} // namespace vexa

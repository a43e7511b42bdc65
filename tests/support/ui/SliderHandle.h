#pragma once

#include <QPoint>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace vexa::test {

// Where the slider's handle is, in the slider's own coordinates: where a hand takes hold of it.
inline QPoint SliderHandleCentre(const QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

} // namespace vexa::test

#include "dialogs/StepEditing.h"

#include "dialogs/CurrentSelection.h"

namespace vexa {

namespace {

constexpr int LastStepOfNine = 8;
constexpr int LastStepOfThree = 2;

AspectStep& StepAt(AspectRecord& aspect, int step) {
    return aspect.steps[static_cast<std::size_t>(step)];
}

bool IsStep(int step) {
    return step >= 0 && step < StepCount;
}

} // namespace

int LastStepOf(const PinRecord& pin) {
    return pin.aspectLayout == LayoutFourByNine ? LastStepOfNine : LastStepOfThree;
}

void InsertStep(ConfigurationImage& image, int step) {
    AspectRecord* aspect = CurrentAspectRecord(image);
    if (aspect == nullptr || !IsStep(step))
        return;
    const int last = LastStepOf(*CurrentPinRecord(image));
    if (step >= last) {
        // Nothing to move: the step itself is cleared (at the last step that is the last step).
        StepAt(*aspect, step) = AspectStep{};
        return;
    }
    for (int i = last; i > step; --i)
        StepAt(*aspect, i) = StepAt(*aspect, i - 1);
    StepAt(*aspect, step) = AspectStep{};
}

void DeleteStep(ConfigurationImage& image, int step) {
    AspectRecord* aspect = CurrentAspectRecord(image);
    if (aspect == nullptr || !IsStep(step))
        return;
    const int last = LastStepOf(*CurrentPinRecord(image));
    if (step > last) {
        StepAt(*aspect, step) = AspectStep{};
        return;
    }
    for (int i = step; i < last; ++i)
        StepAt(*aspect, i) = StepAt(*aspect, i + 1);
    StepAt(*aspect, last) = AspectStep{};
}

} // namespace vexa

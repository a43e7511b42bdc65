#include "dialogs/EventPatternCalculator.h"

#include "core/NumberField.h"

#include <algorithm>

namespace vexa {

const std::array<EventOperationOption, 6> EventOperationOptions{{
    {1, "Execute On-Event", 16},
    {2, "Disable On-Event", 32},
    {3, "Enable On-Event", 48},
    {5, "Execute Off-Event", 80},
    {6, "Disable Off-Event", 96},
    {7, "Enable Off-Event", 112},
}};

namespace {

constexpr int OffEventValue = 64;
constexpr int OffEventOptionShift = 4;
constexpr int OperationStep = 16;
constexpr int HighestParameter = 127;

const EventOperationOption* FindOption(int index) {
    const auto found = std::find_if(EventOperationOptions.begin(), EventOperationOptions.end(),
                                    [index](const EventOperationOption& option) { return option.index == index; });
    return found == EventOperationOptions.end() ? nullptr : &*found;
}

} // namespace

void EventPatternCalculator::open(const std::string& boxText) {
    original_ = boxText;
    parameter_ = boxText;
    // A step parameter holds 0..127; anything else in the box would name no option.
    int pattern = ClampedFieldValue(boxText, 0, HighestParameter);
    int off = 0;
    if (pattern >= OffEventValue) {
        off = OffEventOptionShift;
        pattern -= OffEventValue;
    }
    if (pattern <= 3) {
        pattern = OperationStep + (1 << pattern);
        off = 0;
    } else if (pattern <= 7) {
        pattern = OperationStep + (1 << (pattern - 4));
        off = OffEventOptionShift;
    } else if (pattern <= 15) {
        pattern = OperationStep;
    }
    for (int k = 0; k < EventInputBoxes; ++k)
        inputs_[static_cast<std::size_t>(k)] = ((pattern >> k) & 1) != 0;
    operation_ = pattern / OperationStep + off;
    showSum();
}

void EventPatternCalculator::setInput(int index, bool checked) {
    if (index < 0 || index >= EventInputBoxes)
        return;
    inputs_[static_cast<std::size_t>(index)] = checked;
    showSum();
}

bool EventPatternCalculator::chooseOperation(int optionIndex) {
    if (FindOption(optionIndex) == nullptr)
        return false;
    operation_ = optionIndex;
    showSum();
    return true;
}

int EventPatternCalculator::sum() const {
    int value = 0;
    for (int k = 0; k < EventInputBoxes; ++k)
        if (inputs_[static_cast<std::size_t>(k)])
            value += 1 << k;
    const EventOperationOption* option = FindOption(operation_);
    return value + (option != nullptr ? option->adds : 0);
}

} // namespace vexa

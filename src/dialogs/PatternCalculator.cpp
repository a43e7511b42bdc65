#include "dialogs/PatternCalculator.h"

#include "core/NumberField.h"

#include <algorithm>

namespace vexa {

namespace {
// Outputs beyond this count leave bits 5 and 6 free for the two dark-phase flags.
constexpr int MostOutputsWithDarkPhase = 5;
constexpr int AllDarkValue = 32;
constexpr int NoDarkValue = 64;
constexpr int HighestPattern = 127; // a step parameter holds 0..127
} // namespace

void PatternCalculator::open(const std::string& boxText, int outputCount) {
    original_ = boxText;
    parameter_ = boxText;
    outputCount_ = std::clamp(outputCount, 0, PatternOutputBoxes);
    const int pattern = ClampedFieldValue(boxText, 0, HighestPattern);
    for (int i = 0; i < PatternOutputBoxes; ++i)
        outputs_[static_cast<std::size_t>(i)] = ((pattern >> i) & 1) != 0;
    if (outputCount_ > MostOutputsWithDarkPhase) {
        allDark_ = false;
        noDark_ = false;
        darkEnabled_ = false;
    } else {
        // Set one after the other, as the user would: "No Dark-phase" wins when both bits are set.
        darkEnabled_ = true;
        allDark_ = false;
        noDark_ = false;
        setAllDark(output(5));
        setNoDark(output(6));
    }
    for (int i = outputCount_; i < PatternOutputBoxes; ++i)
        outputs_[static_cast<std::size_t>(i)] = false;
    showSum();
}

void PatternCalculator::setOutput(int index, bool checked) {
    if (!outputEnabled(index))
        return;
    outputs_[static_cast<std::size_t>(index)] = checked;
    showSum();
}

void PatternCalculator::setAllDark(bool checked) {
    if (!darkEnabled_)
        return;
    allDark_ = checked;
    if (checked)
        noDark_ = false;
    showSum();
}

void PatternCalculator::setNoDark(bool checked) {
    if (!darkEnabled_)
        return;
    noDark_ = checked;
    if (checked)
        allDark_ = false;
    showSum();
}

int PatternCalculator::sum() const {
    int value = 0;
    for (int i = 0; i < PatternOutputBoxes; ++i)
        if (outputs_[static_cast<std::size_t>(i)])
            value += 1 << i;
    if (allDark_)
        value += AllDarkValue;
    if (noDark_)
        value += NoDarkValue;
    return value;
}

} // namespace vexa

#pragma once

#include <array>
#include <string>

namespace vexa {

constexpr int EventInputBoxes = 4;

// One choice of the event operation: its option index, caption and the value it adds.
struct EventOperationOption {
    int index;
    const char* caption;
    int adds;
};

// The six operations in option order (indices 1..3 and 5..7).
extern const std::array<EventOperationOption, 6> EventOperationOptions;

// The event pattern calculator: composes the parameter of an "Event Input" step,
// Σ 2^k × input(k) + the value of the chosen operation.
class EventPatternCalculator {
public:
    // Presets the boxes from the parameter box's text; the older single-input values 0..15
    // are read as such (0..3 execute the On event of input p, 4..7 the Off event of input
    // p − 4, 8..15 execute with no input).
    void open(const std::string& boxText);

    void setInput(int index, bool checked);
    // Chooses the operation by option index; returns false (and changes nothing) for an index
    // that is not one of the options.
    bool chooseOperation(int optionIndex);

    // Puts the text the calculator was opened with back as the result.
    void cancel() { parameter_ = original_; }

    int sum() const;
    bool input(int index) const { return inputs_.at(static_cast<std::size_t>(index)); }
    int operation() const { return operation_; }
    const std::string& original() const { return original_; }
    // The result text.
    const std::string& parameter() const { return parameter_; }

private:
    void showSum() { parameter_ = std::to_string(sum()); }

    std::array<bool, EventInputBoxes> inputs_{};
    int operation_ = 1;
    std::string original_;
    std::string parameter_;
};

} // namespace vexa

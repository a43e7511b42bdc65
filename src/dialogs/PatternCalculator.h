#pragma once

#include <array>
#include <string>

namespace vexa {

// Number of output boxes of the pattern calculator.
constexpr int PatternOutputBoxes = 7;

// The pattern calculator: composes the packed output pattern of a Multibit step,
// Σ 2^i × output(i) + 32 × "All Dark" + 64 × "No Dark-phase".
class PatternCalculator {
public:
    // Presets the boxes from the parameter box's text for an instruction that drives
    // outputCount outputs (2..7): outputs at or above the count are cleared and disabled, and
    // with more than five outputs the two dark-phase boxes are cleared and disabled; otherwise
    // they take bits 5 and 6 of the pattern.
    void open(const std::string& boxText, int outputCount);

    // The user's changes; a change to a disabled box is ignored.
    void setOutput(int index, bool checked);
    void setAllDark(bool checked);
    void setNoDark(bool checked);

    // Puts the text the calculator was opened with back as the result.
    void cancel() { parameter_ = original_; }

    int sum() const;
    bool output(int index) const { return outputs_.at(static_cast<std::size_t>(index)); }
    bool outputEnabled(int index) const { return index >= 0 && index < outputCount_; }
    bool allDark() const { return allDark_; }
    bool noDark() const { return noDark_; }
    bool darkEnabled() const { return darkEnabled_; }
    const std::string& original() const { return original_; }
    // The result text.
    const std::string& parameter() const { return parameter_; }

private:
    void showSum() { parameter_ = std::to_string(sum()); }

    std::array<bool, PatternOutputBoxes> outputs_{};
    int outputCount_ = PatternOutputBoxes;
    bool allDark_ = false;
    bool noDark_ = false;
    bool darkEnabled_ = true;
    std::string original_;
    std::string parameter_;
};

} // namespace vexa

#include "link/TypeBlockForm.h"

namespace vexa {

namespace {

constexpr std::size_t ServoFlagIndex = 2;
constexpr std::size_t OffLevelIndex = 4; // parameter 4 of a PWM block

} // namespace

bool IsPwmType(int configType) {
    return configType == TypePwm || configType == TypePwm + 1;
}

bool IsShortPwmBlock(const std::vector<int>& block) {
    return !block.empty() && IsPwmType(block[0]) && block.size() <= ShortPwmBlockBytes;
}

std::uint8_t ConvertReadServoFlags(std::uint8_t flags) {
    if (flags > 15 && (flags & 8) == 0)
        return static_cast<std::uint8_t>(flags / 16 + 40);
    return flags;
}

std::vector<int> TypeBlockAsTaken(std::vector<int> block) {
    if (block.size() > ServoFlagIndex && block[0] == TypeServo)
        block[ServoFlagIndex] =
            ConvertReadServoFlags(static_cast<std::uint8_t>(block[ServoFlagIndex])) & ServoSentFlags;
    if (IsShortPwmBlock(block) && block.size() >= OffLevelIndex) {
        block.resize(OffLevelIndex);
        block.push_back(ShortPwmOffLevel);
        block.push_back(ShortPwmOnLevel);
    }
    return block;
}

} // namespace vexa

#include "events/EventSlots.h"

namespace vexa {

namespace {

constexpr int NoActionNibble = 15;
constexpr int InputsMask = (1 << EventInputCount) - 1;

int MaskOf(const EnableMap& enabled, int first) {
    int mask = 0;
    for (int k = 0; k < EventInputCount; ++k)
        if (!enabled[static_cast<std::size_t>(first + k)])
            mask |= 1 << k;
    return mask;
}

} // namespace

std::string EventInputCaption(int input) {
    return "Input " + std::to_string(input);
}

std::string EventActionsText(const EventRecord& record) {
    std::string text;
    for (std::size_t k = 0; k < EventInputCount; ++k)
        for (const auto& [caption, action] :
             {std::pair{EventOnCaption, record.onEvents[k]}, {EventOffCaption, record.offEvents[k]}})
            if (action != NoEventAction)
                text += (text.empty() ? "" : ", ") + EventInputCaption(static_cast<int>(k)) + " " + caption + " " +
                        std::to_string(action);
    return text;
}

int EncodeEventSlot(int input, int action) {
    // Only 0..14 fit the low four bits; anything else would spill into the input number.
    const int nibble = (action < 0 || action >= NoActionNibble) ? NoActionNibble : action;
    return input * 16 + nibble;
}

int DecodeEventSlot(int input, int slot) {
    if ((slot >> 4) != input)
        return NoEventAction;
    const int action = slot & 15;
    return action == NoActionNibble ? NoEventAction : action;
}

EnableMasks EnableMasksOf(const EnableMap& enabled) {
    return EnableMasks{MaskOf(enabled, 0), MaskOf(enabled, EventInputCount)};
}

EnableMap EnableMapOf(int onMask, int offMask) {
    EnableMap enabled{};
    for (int k = 0; k < EventInputCount; ++k) {
        enabled[static_cast<std::size_t>(k)] = (onMask & InputsMask & (1 << k)) == 0;
        enabled[static_cast<std::size_t>(EventInputCount + k)] = (offMask & InputsMask & (1 << k)) == 0;
    }
    return enabled;
}

} // namespace vexa

#include "sim/ControllerMemory.h"

namespace vexa {

ControllerMemory FactoryMemory(const std::array<std::uint8_t, 4>& version) {
    ControllerMemory memory;
    memory.settings[SettingVersion].assign(version.begin(), version.end());
    EraseConfiguration(memory);
    return memory;
}

void EraseConfiguration(ControllerMemory& memory) {
    auto& s = memory.settings;
    s[SettingHardware] = {0, 0, 0, 0};
    s[SettingXAddress] = {0};
    s[SettingGroupMask] = {0, 0, 0, 0};
    s[SettingDccAddress] = {1, 0}; // basic DCC address 1
    s[SettingDccOptions] = {2};    // packet repeat 250 ms
    s[SettingLedGreen] = {0};      // default LED functions
    s[SettingLedOrange] = {0};
    s[SettingSerialAddressing] = {0, 0};
    s[9].clear();
    s[SettingIdString].clear();
    s[SettingEnableMaps] = {0, 0}; // every event enabled
    s[SettingXDccAddress] = {1, 0};
    s[SettingSerialPort] = {0, 0};
    memory.pins.fill(SimPin{});
}

std::optional<int> SettingValueLength(int setting) {
    static constexpr std::array<int, SimSettingCount> lengths{4, 4, 1, 4, 2, 1, 1, 1, 2, 0, -1, 2, 2, 2};
    if (setting < 0 || setting >= SimSettingCount || setting == 9)
        return std::nullopt;
    return lengths[static_cast<std::size_t>(setting)];
}

bool SettingValuesFit(int setting, std::size_t count) {
    const std::optional<int> length = SettingValueLength(setting);
    if (!length)
        return false;
    if (*length < 0)
        return count <= static_cast<std::size_t>(SimIdStringMax);
    return count == static_cast<std::size_t>(*length);
}

std::optional<std::size_t> TypeBlockLength(int configType) {
    switch (configType) {
    case 0:
        return 1;
    case 1:
        return 12; // type, position, P2 .. P11
    case 2:
    case 3:
        return 6; // type, level, P2 .. P5
    case 4:
    case 5:
        return 5; // type, value, P2 .. P4
    default:
        return std::nullopt;
    }
}

bool IsShortPwmBlock(const std::vector<std::uint8_t>& block) {
    return block.size() == 5 && (block[0] == 2 || block[0] == 3);
}

std::optional<int> StepSlotIndex(int aspectLayout, int aspect, int step) {
    const int aspects = AspectsInLayout(aspectLayout);
    const int steps = StepsInLayout(aspectLayout);
    if (aspect < 0 || aspect >= aspects || step < 0 || step >= steps)
        return std::nullopt;
    return aspect * steps + step;
}

int PinOfSerialAddress(const ControllerMemory& memory, int address) {
    int first = 0;
    for (int p = 0; p < PinCount; ++p) {
        const int count = memory.pins[static_cast<std::size_t>(p)].addressConfig[1] & 7;
        if (address >= first && address < first + count)
            return p;
        first += count;
    }
    return -1;
}

void QueueReport(SimLiveState& live, const std::array<std::uint8_t, 4>& message) {
    if (live.reports.size() >= static_cast<std::size_t>(SimReportQueueMax))
        live.reports.pop_front();
    live.reports.push_back(message);
}

} // namespace vexa

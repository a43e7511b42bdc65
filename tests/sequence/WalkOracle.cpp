#include "WalkOracle.h"

#include "../sim/SimTestBench.h"

#include "batch/BatchOperations.h"
#include "events/EventComparison.h"
#include "link/StepEncoding.h"
#include "module/Identity.h"
#include "module/SerialAddressing.h"
#include "module/SettingComparison.h"
#include "pins/PinComparison.h"
#include "pins/PinConfigTypes.h"

#include <deque>
#include <memory>

namespace vexa::sequence {

namespace {

constexpr std::size_t KeptReads = 8;

struct KeptRead {
    ControllerMemory memory;
    ConfigurationImage image;
    std::string problem;
};

// The values a write sends for a setting, as the read takes them back: with flex addressing
// off, setting 8 keeps only the native-mode bit of its block; an ID string its first 12
// characters.
std::optional<std::vector<int>> TakenSetting(const ModuleSettings& module, ModuleSetting setting) {
    std::optional<std::vector<int>> values = SettingWireValues(module, setting);
    if (values && setting == ModuleSetting::SerialAddressing && values->size() == 2 && (*values)[0] == 0)
        (*values)[1] &= NativeModeValue;
    if (values && setting == ModuleSetting::IdString && values->size() > IdStringMaxLength)
        values->resize(IdStringMaxLength);
    return values;
}

// The type block a write sends, as the read takes it back: a servo's flag byte in the older form
// converted.
std::vector<int> TakenTypeBlock(const PinRecord& pin) {
    std::vector<int> block = TypeBlockWireValues(pin);
    if (block.size() > 2 && block[0] == TypeServo)
        block[2] = ConvertReadServoFlags(static_cast<std::uint8_t>(block[2])) & 63;
    return block;
}

// The controller's own bytes of a setting: serial addressing and the group mask as it holds
// them whatever its enforced mode (the read takes them so), the rest as the read takes them.
std::optional<std::vector<int>> HeldSetting(ModuleSettings held, ModuleSetting setting) {
    if (setting == ModuleSetting::SerialAddressing || setting == ModuleSetting::GroupMask)
        held.enforcedXAddress = false;
    return TakenSetting(held, setting);
}

// Settings the comparisons leave out (serial addressing and the group mask in enforced mode,
// setting 2 while the mode is unknown) are not held against the controller.
bool BlockHeld(const ModuleSettings& image, const ModuleSettings& held, SettingBlock block) {
    for (ModuleSetting setting : SettingBlockOf(block).settings) {
        const std::optional<std::vector<int>> sent = TakenSetting(image, setting);
        if (sent && SettingCompared(image, setting) && sent != HeldSetting(held, setting))
            return false;
    }
    return true;
}

bool PinHeld(const PinRecord& image, const PinRecord& held) {
    if (TakenTypeBlock(image) != TakenTypeBlock(held) || image.aspectLayout != held.aspectLayout ||
        EncodeInitialAspect(image.initialAspect) != EncodeInitialAspect(held.initialAspect) ||
        AddressConfigWireValues(image) != AddressConfigWireValues(held))
        return false;
    for (int aspect = 0; aspect < AspectsInLayout(image.aspectLayout); ++aspect)
        for (int step = 0; step < StepsInLayout(image.aspectLayout); ++step) {
            const auto at = [aspect, step](const PinRecord& pin) {
                return StepWireValues(
                    pin.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)]);
            };
            if (at(image) != at(held))
                return false;
        }
    return true;
}

} // namespace

std::vector<Item> AllItems() {
    std::vector<Item> items;
    for (SettingBlock block : SettingBlocksInWriteOrder)
        items.push_back({Item::Block, static_cast<int>(block)});
    for (int pin = 0; pin < PinCount; ++pin) {
        items.push_back({Item::Pin, pin});
        items.push_back({Item::EventOn, pin});
        items.push_back({Item::EventOff, pin});
    }
    items.push_back({Item::EnableMap, 0});
    return items;
}

std::vector<Item> ItemsOf(const ChangedItems& changed) {
    std::vector<Item> items;
    for (SettingBlock block : changed.blocks)
        items.push_back({Item::Block, static_cast<int>(block)});
    for (int pin : changed.pins)
        items.push_back({Item::Pin, pin});
    for (int pin : changed.eventOnPins)
        items.push_back({Item::EventOn, pin});
    for (int pin : changed.eventOffPins)
        items.push_back({Item::EventOff, pin});
    if (changed.enableMap)
        items.push_back({Item::EnableMap, 0});
    return items;
}

std::string ItemName(const Item& item, int numberingBase) {
    const std::string pin = "pin " + std::to_string(item.index + numberingBase);
    switch (item.kind) {
    case Item::Block:
        return SettingBlockOf(static_cast<SettingBlock>(item.index)).name;
    case Item::Pin:
        return pin;
    case Item::EventOn:
        return "Event-On of " + pin;
    case Item::EventOff:
        return "Event-Off of " + pin;
    case Item::EnableMap:
        return "the enable map";
    }
    return "?";
}

const ConfigurationImage& ReadBack(const ControllerMemory& memory, std::string& problem) {
    static std::deque<KeptRead> kept;
    for (const KeptRead& read : kept)
        if (read.memory == memory) {
            problem = read.problem;
            return read.image;
        }
    auto controller = std::make_shared<Simulator>();
    controller->memory() = memory;
    test::SimBench bench(controller, 1); // real time: no answer is missed
    KeptRead read{memory, {}, {}};
    if (!ReadAll(bench.session))
        read.problem = "a fault-free Read All of the controller failed: " + bench.prompter.last();
    read.image = bench.session.image;
    kept.push_front(std::move(read));
    if (kept.size() > KeptReads)
        kept.pop_back();
    problem = kept.front().problem;
    return kept.front().image;
}

bool Holds(const ConfigurationImage& image, const ConfigurationImage& held, const Item& item) {
    const auto pin = static_cast<std::size_t>(item.index);
    switch (item.kind) {
    case Item::Block:
        return BlockHeld(image.module, held.module, static_cast<SettingBlock>(item.index));
    case Item::Pin:
        return PinHeld(image.pins.at(pin), held.pins.at(pin));
    case Item::EventOn:
        return EventSlotWireValues(image.events.at(pin).onEvents) == EventSlotWireValues(held.events.at(pin).onEvents);
    case Item::EventOff:
        return EventSlotWireValues(image.events.at(pin).offEvents) ==
               EventSlotWireValues(held.events.at(pin).offEvents);
    case Item::EnableMap:
        return !image.enableMap ||
               (held.enableMap && EnableMapWireValues(*image.enableMap) == EnableMapWireValues(*held.enableMap));
    }
    return false;
}

std::vector<std::string> NotHeld(const ConfigurationImage& image, const ConfigurationImage& held,
                                 const std::vector<Item>& items, int numberingBase) {
    std::vector<std::string> names;
    for (const Item& item : items)
        if (!Holds(image, held, item))
            names.push_back(ItemName(item, numberingBase));
    return names;
}

} // namespace vexa::sequence

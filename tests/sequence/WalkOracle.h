#pragma once

// What a simulated controller holds, told apart item by item: the reference the walk's checks
// hold the program's claims against. The controller's bytes are taken the way the program's
// read takes them (a fault-free "Read All" of a controller with that memory), and an item is
// held as a configuration has it when both send the same bytes for it.

#include "batch/WriteChanges.h"
#include "model/ConfigurationImage.h"
#include "sim/ControllerMemory.h"

#include <string>
#include <vector>

namespace vexa::sequence {

// One item of the configuration, in the units "Write Changes" writes.
struct Item {
    enum Kind : std::uint8_t { Block, Pin, EventOn, EventOff, EnableMap };
    Kind kind = Block;
    int index = 0; // the setting block, or the pin

    bool operator==(const Item&) const = default;
};

std::vector<Item> AllItems();
std::vector<Item> ItemsOf(const ChangedItems& items);
std::string ItemName(const Item& item, int numberingBase);

// The configuration that a fault-free "Read All" takes from a controller with this memory
// (kept for the last few memories). `problem` is set when that read failed.
const ConfigurationImage& ReadBack(const ControllerMemory& memory, std::string& problem);

// True when a controller read back as `held` holds the item as `image` has it: the same bytes
// go out for it on a write. What the image does not know (the enable map, setting 2 while the
// enforced mode is unknown) is not compared; an ID string is compared as far as a write takes it.
bool Holds(const ConfigurationImage& image, const ConfigurationImage& held, const Item& item);

// The items of the list that the controller does not hold as the image has them, named.
std::vector<std::string> NotHeld(const ConfigurationImage& image, const ConfigurationImage& held,
                                 const std::vector<Item>& items, int numberingBase);

} // namespace vexa::sequence

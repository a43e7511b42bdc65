#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vexa {

// The parts of its configuration that a controller keeps, as the link addresses them.
enum class HeldPart : std::uint8_t {
    Setting,       // module setting `index` (112 / 96, index = setting number)
    TypeBlock,     // type block kept in flash of pin `index` (113 / 97)
    Layout,        // aspect layout of pin `index` (114 / 98)
    Step,          // step `step` of aspect `aspect` of pin `index` (115 / 99)
    InitialAspect, // initial-aspect byte of pin `index` (116 / 100)
    AddressConfig, // the three address-configuration bytes of pin `index` (118 / 102)
    EventOn,       // the four Event-On slots of pin `index` (116 / 100)
    EventOff,      // the four Event-Off slots of pin `index` (117 / 101)
};

struct HeldKey {
    HeldPart part = HeldPart::Setting;
    int index = 0;
    int aspect = 0;
    int step = 0;

    bool operator==(const HeldKey&) const = default;
    bool operator<(const HeldKey& other) const {
        if (part != other.part)
            return part < other.part;
        if (index != other.index)
            return index < other.index;
        return aspect != other.aspect ? aspect < other.aspect : step < other.step;
    }
};

// How an item of the configuration stands against the controller.
enum class HeldState : std::uint8_t {
    Unknown, // never read or written (or forgotten since)
    Same,    // the controller holds what the configuration holds
    Changed, // the configuration differs from what the controller holds
};

// Which controller the link reaches: the port (and each opening of it), its bit rate and the
// addresses. A copy kept for one of them says nothing about another.
struct LinkIdentity {
    std::string port;
    std::string settings;
    int openings = 0;
    int moduleAddress = 0;
    int xAddress = -1; // -1 while the eXtended address is not used
    bool tunnelled = false;

    bool operator==(const LinkIdentity&) const = default;
};

// What the connected controller is known to hold, part by part, in the value bytes of the
// link: what a write sent (once it went through) or what a read was answered. It is only ever
// filled by the link itself, so that every read, write and verification keeps it up to date,
// and it is forgotten as a whole when the link reaches another controller (or the same one
// after it was unplugged), after an erase, and when the controller answers otherwise than it
// was known to hold (another one answers behind the open port).
class ControllerCopy {
public:
    // The value bytes held for the part, or null when they are not known.
    const std::vector<int>* find(const HeldKey& key) const;
    // `confirmed`: the controller said so (it answered the read, or the write); a write sent
    // one-way by the user's choice is held unconfirmed.
    void hold(const HeldKey& key, std::vector<int> values, bool confirmed = true);
    // True when the part is held and the controller confirmed it.
    bool confirmed(const HeldKey& key) const;
    void forget(const HeldKey& key);
    void forgetAll();
    bool empty() const { return values_.empty(); }

    // Forgets everything when the link now reaches another controller than the copy was kept for.
    void follow(const LinkIdentity& identity);
    // True when the other copy, kept by another session talking to the same address, holds a
    // part with other values than this one: the controller there is not the one this copy
    // was kept for (or was changed behind it).
    bool contradictedBy(const ControllerCopy& other) const;

    // Counts every change, so that a view can tell whether it needs to look again.
    std::uint64_t revision() const { return revision_; }

private:
    struct Held {
        std::vector<int> values;
        bool confirmed = true;
    };

    std::map<HeldKey, Held> values_;
    LinkIdentity identity_;
    std::uint64_t revision_ = 0;
};

} // namespace vexa

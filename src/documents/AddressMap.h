#pragma once

#include "documents/Boards.h"

#include <string>
#include <vector>

namespace vexa {

// The address map of a set of controllers: every address that a pin in use answers to, by the
// rules of the pin page's address labels, with the controllers and pins that answer to it. Two
// answering to the same address are a conflict.

enum class AddressKind { Dcc, XDcc, Serial };

// "DCC address", "eXtended DCC address", "serial address".
const char* AddressKindWords(AddressKind kind);

struct AddressUser {
    int module = 0;          // stored module address
    int pin = 0;             // 0..31
    std::string description; // the pin's (Latin-1)

    bool operator==(const AddressUser&) const = default;
};

struct AddressEntry {
    AddressKind kind = AddressKind::Dcc;
    int address = 0;                // as the labels show it
    std::vector<AddressUser> users; // by module, then pin

    bool conflict() const { return users.size() > 1; }
};

// The addresses in use, by kind (DCC, eXtended DCC, serial), then by address. A pin answers to
// as many consecutive addresses of a kind as its count says, from the address its label shows;
// a serial address that its label would show as "-" is not reachable and not listed.
std::vector<AddressEntry> MapAddresses(const BoardSet& set);

// "module 2 pin 7", numbers as shown.
std::string UserWords(const AddressUser& user, int numberingBase);
// "DCC address 45: module 2 pin 7 and module 5 pin 1" (three or more: "a, b and c").
std::string ConflictLine(const AddressEntry& entry, int numberingBase);

// What `addresses` prints: one line per address and controller pin answering to it
// ("DCC address 45: module 2 pin 7"), then one line per conflict, or "No address conflicts".
std::vector<std::string> AddressMapLines(const std::vector<AddressEntry>& entries, int numberingBase);

// Consecutive addresses of a kind answered by the same pins, for a table on paper: the first
// and last address and their users.
struct AddressRun {
    AddressKind kind = AddressKind::Dcc;
    int first = 0;
    int last = 0;
    std::vector<AddressUser> users;

    bool conflict() const { return users.size() > 1; }
};
std::vector<AddressRun> AddressRuns(const std::vector<AddressEntry>& entries);

} // namespace vexa

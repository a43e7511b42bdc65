#pragma once

#include "documents/Boards.h"

#include <array>
#include <string>

namespace vexa {

// One pin of a board in the words and numbers of the pin page (UTF-8, numbers as shown), the
// common ground of the sheet and the pin table.
struct PinWords {
    std::string module;                // module address as shown
    std::string idString;              // the board's ID string
    std::string pin;                   // pin number as shown
    std::string description;           // the pin's description
    std::string device;                // "" for no device; the device's name, and for a pin other than its
                                       // head "(Device Pin N)"
    std::string type;                  // as the type tabs show it
    std::string parameters;            // "caption: value" of each type parameter, joined with ", "
    std::array<std::string, 3> counts; // the address counts: serial, B-DCC, X-DCC
    std::string dccAddress;            // the address labels of the pin page
    std::string xdccAddress;
    std::string serialAddress;
    std::string pinAddress;
    std::string aspects;       // number of aspects of the layout: 0, 4 or 12
    std::string initialAspect; // as the "Init" field shows it: -1 for none
    std::string events;        // the event actions that are set
};

PinWords DescribePin(const BoardSet& set, const Board& board, int pin);

} // namespace vexa

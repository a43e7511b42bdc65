#pragma once

#include <initializer_list>
#include <string>

namespace vexa {

// The values one field of a request can carry. Every data byte of a request is 0..127; many
// fields carry less (a count in three bits, an address split over two bytes).
struct WireRange {
    int low = 0;
    int high = 127;

    bool holds(int value) const { return value >= low && value <= high; }
};

inline constexpr WireRange DataByteRange{0, 127};

// "" when the value fits the range, else "<field> = <value> cannot be sent (<low>..<high>)".
std::string WireProblem(const std::string& field, int value, WireRange range);

// The first of the texts that is not empty, with the prefix before it; "" when all are empty.
std::string FirstProblem(const std::string& prefix, std::initializer_list<std::string> problems);

} // namespace vexa

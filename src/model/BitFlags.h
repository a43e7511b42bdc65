#pragma once

#include <cstddef>

namespace vexa {

// Bit i of the result is flag first + i (set when the flag is not 0), for `count` flags.
template <typename Flags> int PackBits(const Flags& flags, int first, int count) {
    int bits = 0;
    for (int i = 0; i < count; ++i)
        if (flags[static_cast<std::size_t>(first + i)] != 0)
            bits |= 1 << i;
    return bits;
}

// Sets `count` flags from the low bits of a byte: flag first + i = bit i.
template <typename Flags> void UnpackBits(Flags& flags, int first, int count, int bits) {
    for (int i = 0; i < count; ++i)
        flags[static_cast<std::size_t>(first + i)] = ((bits >> i) & 1) != 0;
}

} // namespace vexa

#pragma once

#include <QRect>
#include <QSize>

namespace vexa {

// The size the window asks for when nothing is kept from an earlier run.
inline constexpr QSize PreferredWindowSize{1100, 680};

// The first size of the window on a screen whose free area (without its panels) is `available`:
// the preferred size, made smaller where the screen is, with room left for the window's frame and
// title bar, so that the whole window is on the screen.
QSize FirstWindowSize(const QRect& available);

} // namespace vexa

#pragma once

#include <QRect>
#include <QSize>

namespace vexa {

// The first size of a window that asks for `preferred` on a screen whose free area (without its
// panels) is `available`: the preferred size, made smaller where the screen is, with room left
// for the window's frame and title bar, so that the whole window is on the screen.
QSize FittedWindowSize(const QSize& preferred, const QRect& available);

} // namespace vexa

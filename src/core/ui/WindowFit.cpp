#include "core/ui/WindowFit.h"

#include <algorithm>

namespace vexa {

namespace {

// What a window manager's frame takes around the window's inside: the borders, and the title bar
// above.
constexpr int FrameWidth = 16;
constexpr int FrameHeight = 48;

} // namespace

QSize FittedWindowSize(const QSize& preferred, const QRect& available) {
    if (available.isEmpty())
        return preferred;
    return {std::min(preferred.width(), available.width() - FrameWidth),
            std::min(preferred.height(), available.height() - FrameHeight)};
}

} // namespace vexa

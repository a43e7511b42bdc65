#include "app/ui/WindowFit.h"

#include <algorithm>

namespace vexa {

namespace {

// What a window manager's frame takes around the window's inside: the borders, and the title bar
// above.
constexpr int FrameWidth = 16;
constexpr int FrameHeight = 48;

} // namespace

QSize FirstWindowSize(const QRect& available) {
    if (available.isEmpty())
        return PreferredWindowSize;
    return {std::min(PreferredWindowSize.width(), available.width() - FrameWidth),
            std::min(PreferredWindowSize.height(), available.height() - FrameHeight)};
}

} // namespace vexa

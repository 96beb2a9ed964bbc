#include "ui/window/WindowPlacement.h"

#include "ui/window/WindowSizes.h"

#include <algorithm>

namespace {

int PlaceOnAxis(int stored, int extent, int screenExtent) {
    if (stored > screenExtent - extent)
        return screenExtent - extent;
    return std::max(stored, 0);
}

} // namespace

QRect WindowPlacement(int left, int top, int right, int bottom, const QSize& usableScreen) {
    const int width =
        std::min(std::max(right - left, kMinimumWindowSize.width()), usableScreen.width());
    const int height =
        std::min(std::max(bottom - top, kMinimumWindowSize.height()), usableScreen.height());
    return QRect(PlaceOnAxis(left, width, usableScreen.width()),
                 PlaceOnAxis(top, height, usableScreen.height()), width, height);
}

#include "WindowPlacement.h"

#include <algorithm>

QPoint placeOnScreen(QRect designed, QRect available)
{
    const auto place = [](int start, int size, int freeStart, int freeSize) {
        const int furthestThatFits = freeStart + freeSize - size;
        return std::max(std::min(start, furthestThatFits), freeStart);
    };
    return {place(designed.x(), designed.width(), available.x(), available.width()),
            place(designed.y(), designed.height(), available.y(), available.height())};
}

#include "gui/SplitLayout.h"

double clampRatio(double ratio)
{
    if (!(ratio >= 0.0)) // also NaN
        return 0.0;
    return ratio > 1.0 ? 1.0 : ratio;
}

SplitBoxes splitBoxes(int width, int height, int bar, double ratio, int orientation, bool hasFirst, bool hasSecond)
{
    SplitBoxes boxes;
    const PaneBox whole{0, 0, width, height};
    if (!hasFirst || !hasSecond) {
        if (hasFirst)
            boxes.first = whole;
        if (hasSecond)
            boxes.second = whole;
        return boxes;
    }
    const int available = (orientation == 0 ? width : height) - bar;
    const int first = available > 0 ? static_cast<int>(available * clampRatio(ratio)) : 0;
    const int second = available > 0 ? available - first : 0;
    if (orientation == 0) {
        boxes.first = {0, 0, first, height};
        boxes.bar = {first, 0, bar, height};
        boxes.second = {bar + first, 0, second, height};
    } else {
        boxes.first = {0, 0, width, first};
        boxes.bar = {0, first, width, bar};
        boxes.second = {0, bar + first, width, second};
    }
    return boxes;
}

bool dragAllowed(int firstSize, int offset, double ratio, int availableSize, int minFirst, int minSecond)
{
    if (firstSize + offset < minFirst)
        return false;
    // firstSize / ratio is the available size the layout started from; with a
    // ratio of 0 that quotient is undefined and the available size stands in.
    const double whole = ratio > 0.0 ? firstSize / ratio : availableSize;
    return whole - firstSize - offset >= minSecond;
}

double ratioAfterDrag(int firstSize, int offset, int availableSize)
{
    if (availableSize <= 0)
        return 0.0;
    // Half a pixel beyond the drop, so truncation in the layout lands on it.
    return clampRatio((firstSize + offset + 0.5) / availableSize);
}

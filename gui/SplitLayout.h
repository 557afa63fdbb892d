// The arithmetic of a two-pane splitter, apart from any window: where the panes
// and the bar go, which bar drags are allowed and the ratio after a drop.
#pragma once

struct PaneBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PaneBox&) const = default;
};

struct SplitBoxes {
    PaneBox first, bar, second;
};

// Keeps a ratio within 0 ... 1.
double clampRatio(double ratio);

// Orientation 0: first on the left; 1: first on top. With both panes the first
// gets (available - bar) * ratio, truncated, and the second the rest beyond the
// bar; a pane that is alone fills the whole area.
SplitBoxes splitBoxes(int width, int height, int bar, double ratio, int orientation, bool hasFirst, bool hasSecond);

// The first pane's size along the split (0 for a single pane).
inline int firstSize(const SplitBoxes& boxes, int orientation)
{
    return orientation == 0 ? boxes.first.width : boxes.first.height;
}

// Whether moving the bar by offset leaves both panes at their minimum or more;
// the second pane's size is taken as firstSize / ratio - firstSize - offset.
bool dragAllowed(int firstSize, int offset, double ratio, int availableSize, int minFirst, int minSecond);

// The ratio that puts the bar where a drag of offset dropped it.
double ratioAfterDrag(int firstSize, int offset, int availableSize);

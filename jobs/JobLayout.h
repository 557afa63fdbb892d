// Where things go in the job list, computed from numbers only: the element
// size of each display mode, the rows of page elements inside one job window,
// the stacking of job windows in the list and the scroll arithmetic. The
// windows ask these for positions, hit tests and the visible range, so that a
// list of thousands of pages never needs a window per page.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace joblayout {

inline constexpr int kModeCount = 6;
inline constexpr int kDefaultMode = 2;

// The edge of a page element in pixels for the mode: 85, 150, 250, 350, 450
// at 96 dpi, or for mode 5 the visible list height minus 15 (scaled).
int elementSize(int mode, int dpi, int visibleHeight);
// (mode + step + 6) mod 6.
int steppedMode(int mode, int step);

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool intersects(int t, int b) const { return bottom > t && top < b; }
};

// One job window: a header line, then the page elements in rows that wrap at
// the window's width, with a margin around and between them.
class JobWindowLayout {
public:
    JobWindowLayout(int width, int elementSize, int pageCount, int dpi);

    int headerHeight() const { return m_header; }
    int columns() const { return m_columns; }
    int rows() const;
    int height() const;
    // The element of page n (1-based).
    Box elementBox(int n) const;
    // The page whose element holds the point; 0 for none.
    int pageAt(int x, int y) const;
    // Where pages dropped at the point go: before page (result + 1), 0..page count.
    int insertPositionAt(int x, int y) const;
    // The bar drawn between pages for an insert position.
    Box insertMark(int position) const;
    // The pages whose elements meet the band of rows top..bottom (window
    // coordinates): first and last, 1-based; first > last when none.
    std::pair<int, int> pagesInBand(int top, int bottom) const;

private:
    int m_width, m_size, m_count, m_header, m_margin, m_columns;
};

// The job windows stacked top to bottom with a gap between neighbours.
class JobListLayout {
public:
    void setHeights(const std::vector<int>& heights, int gap);
    int count() const { return static_cast<int>(m_tops.size()); }
    int top(int index) const { return m_tops[static_cast<size_t>(index)]; }
    int height(int index) const { return m_heights[static_cast<size_t>(index)]; }
    int totalHeight() const { return m_total; }
    // The jobs that meet the rows top..bottom of the list: first, last; first > last when none.
    std::pair<int, int> jobsInBand(int top, int bottom) const;
    // The index a job dropped at list row y goes before (0..count).
    int dropIndexAt(int y) const;

private:
    std::vector<int> m_tops;
    std::vector<int> m_heights;
    int m_total = 0;
};

// The scroll bar in lines: range 0..total / line, page client / line.
struct ScrollLines {
    int maximum = 0;
    int page = 0;
    // The highest first line that still fills the page.
    int lastFirstLine() const { return maximum - page + 1 > 0 ? maximum - page + 1 : 0; }
    bool scrollable() const { return lastFirstLine() > 0; }
};
ScrollLines scrollLines(int totalHeight, int clientHeight, int lineHeight);
// The first line after moving from line by delta, kept within 0..lastFirstLine.
int clampedLine(const ScrollLines& lines, int line);

} // namespace joblayout

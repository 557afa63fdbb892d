#include "jobs/JobLayout.h"

#include <algorithm>

namespace joblayout {

namespace {
int scaled(int n, int dpi) { return n * dpi / 96; }
} // namespace

int elementSize(int mode, int dpi, int visibleHeight)
{
    static const int sizes[] = {85, 150, 250, 350, 450};
    if (mode >= 0 && mode < 5)
        return scaled(sizes[mode], dpi);
    return std::max(1, visibleHeight - scaled(15, dpi));
}

int steppedMode(int mode, int step) { return ((mode + step) % kModeCount + kModeCount) % kModeCount; }

JobWindowLayout::JobWindowLayout(int width, int elementSize, int pageCount, int dpi)
    : m_width(width), m_size(std::max(1, elementSize)), m_count(std::max(0, pageCount)), m_header(scaled(30, dpi)),
      m_margin(scaled(8, dpi))
{
    m_columns = std::max(1, (m_width - m_margin) / (m_size + m_margin));
}

int JobWindowLayout::rows() const { return m_count == 0 ? 0 : (m_count + m_columns - 1) / m_columns; }

int JobWindowLayout::height() const
{
    // An empty job keeps one row's room for its "drag pages here" text.
    const int body = m_count == 0 ? m_margin * 2 + m_header : rows() * (m_size + m_margin) + m_margin;
    return m_header + body;
}

Box JobWindowLayout::elementBox(int n) const
{
    const int i = n - 1;
    Box b;
    b.left = m_margin + (i % m_columns) * (m_size + m_margin);
    b.top = m_header + m_margin + (i / m_columns) * (m_size + m_margin);
    b.right = b.left + m_size;
    b.bottom = b.top + m_size;
    return b;
}

int JobWindowLayout::pageAt(int x, int y) const
{
    if (y < m_header + m_margin || x < m_margin)
        return 0;
    const int column = (x - m_margin) / (m_size + m_margin);
    const int row = (y - m_header - m_margin) / (m_size + m_margin);
    if (column >= m_columns)
        return 0;
    const int n = row * m_columns + column + 1;
    return n <= m_count && elementBox(n).contains(x, y) ? n : 0;
}

int JobWindowLayout::insertPositionAt(int x, int y) const
{
    if (m_count == 0 || y < m_header)
        return y < m_header ? 0 : m_count;
    const int row = std::max(0, (y - m_header - m_margin / 2) / (m_size + m_margin));
    // The gap nearest to the pointer in its row: left half of a cell goes before it.
    const int column = std::clamp((x - m_margin / 2 + (m_size + m_margin) / 2) / (m_size + m_margin), 0, m_columns);
    return std::clamp(row * m_columns + column, 0, m_count);
}

Box JobWindowLayout::insertMark(int position) const
{
    const int width = std::max(2, m_margin / 2);
    Box b;
    if (m_count == 0) {
        b = {m_margin, m_header + m_margin, m_margin + width, m_header + m_margin * 2 + m_header};
        return b;
    }
    // After the last page of a row the mark stands right of it, else left of the next.
    const bool atRowEnd = position > 0 && (position % m_columns == 0 || position == m_count);
    const Box e = atRowEnd ? elementBox(position) : elementBox(position + 1);
    const int x = atRowEnd ? e.right + (m_margin - width) / 2 : e.left - (m_margin + width) / 2;
    b = {x, e.top, x + width, e.bottom};
    return b;
}

std::pair<int, int> JobWindowLayout::pagesInBand(int top, int bottom) const
{
    if (m_count == 0 || bottom <= m_header + m_margin)
        return {1, 0};
    const int cell = m_size + m_margin;
    const int firstRow = std::max(0, (top - m_header - m_margin) / cell);
    const int lastRow = (bottom - 1 - m_header - m_margin) / cell;
    const int first = firstRow * m_columns + 1;
    const int last = std::min(m_count, (lastRow + 1) * m_columns);
    return {first, last};
}

void JobListLayout::setHeights(const std::vector<int>& heights, int gap)
{
    m_heights = heights;
    m_tops.resize(heights.size());
    int y = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        m_tops[i] = y;
        y += heights[i] + (i + 1 < heights.size() ? gap : 0);
    }
    m_total = y;
}

std::pair<int, int> JobListLayout::jobsInBand(int top, int bottom) const
{
    if (m_tops.empty())
        return {0, -1};
    // The last job starting at or above top, then every one starting above bottom.
    auto first = std::upper_bound(m_tops.begin(), m_tops.end(), top);
    int f = static_cast<int>(first - m_tops.begin()) - 1;
    if (f < 0)
        f = 0;
    if (m_tops[static_cast<size_t>(f)] + m_heights[static_cast<size_t>(f)] <= top)
        ++f;
    auto last = std::lower_bound(m_tops.begin(), m_tops.end(), bottom);
    const int l = static_cast<int>(last - m_tops.begin()) - 1;
    return {f, l};
}

int JobListLayout::dropIndexAt(int y) const
{
    for (int i = 0; i < count(); ++i)
        if (y < top(i) + height(i) / 2)
            return i;
    return count();
}

ScrollLines scrollLines(int totalHeight, int clientHeight, int lineHeight)
{
    ScrollLines s;
    if (lineHeight <= 0)
        return s;
    s.maximum = totalHeight / lineHeight;
    s.page = clientHeight / lineHeight;
    return s;
}

int clampedLine(const ScrollLines& lines, int line) { return std::clamp(line, 0, lines.lastFirstLine()); }

} // namespace joblayout

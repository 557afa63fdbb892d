// Two panes and a bar between them that the user drags; the panes become the
// splitter's children. A "Static" window, adopted by its object.
#pragma once

#include "gui/BaseWindow.h"
#include "gui/SplitLayout.h"

class BaseSplitter : public BaseWindow {
public:
    // orientation 0: side by side, first on the left; 1: stacked, first on top.
    bool create(HWND parent, int x, int y, int width, int height, DWORD style, int orientation, HINSTANCE instance);

    // Makes the pane a child of the splitter, on top, and lays out; null takes it out.
    void setFirst(HWND pane);
    void setSecond(HWND pane);
    HWND first() const { return m_first; }
    HWND second() const { return m_second; }

    // Kept within 0 ... 1; lays out.
    void setRatio(double ratio);
    double ratio() const { return m_ratio; }
    void setBarColour(COLORREF colour) { m_barColour = colour; }
    COLORREF barColour() const { return m_barColour; }
    int barWidth() const { return m_barWidth; }
    // Only 0 and 1 are taken; a change lays out.
    virtual void setOrientation(int orientation);
    int orientation() const { return m_orientation; }
    void toggleOrientation() { setOrientation(m_orientation == 0 ? 1 : 0); }
    bool isOrientation(int orientation) const { return m_orientation == orientation; }

    // Sizes in pixels follow a new resolution (bar width, minimum pane sizes).
    void setDpi(int dpi);

    // Fills the client area with the bar colour (the panes cover the rest).
    virtual void paintBar(HDC dc);
    void layout();
    // Where the panes and the bar are now, in client coordinates.
    SplitBoxes boxes() const;
    bool isDragging() const { return m_dragging; }

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int dpi() const { return m_dpi; }

private:
    void setPane(HWND& slot, HWND pane);
    bool overBar(int x, int y) const;
    int along(LPARAM point) const;
    int availableSize() const;
    void startDrag(LPARAM point);
    void moveDrag(LPARAM point);
    void endDrag(bool drop);
    // Inverts the drag bar at the first pane's size plus offset.
    void invertDragBar(int offset) const;
    void showSizingCursor() const;

    int m_orientation = 0;
    HWND m_first = nullptr;
    HWND m_second = nullptr;
    double m_ratio = 0.5;
    int m_dpi = 96;
    int m_barWidth = 4;
    int m_minFirst = 20;
    int m_minSecond = 20;
    COLORREF m_barColour = 0x808080;
    bool m_dragging = false;
    int m_dragStart = 0;
    int m_dragOffset = 0;
};

// The geometry of the page display without a window: the zoom factor, the
// page image's size as shown (after rotation), the client area, the scroll
// positions in scroll units, the fits and the zoom that keeps the point under
// the cursor in place. The window feeds it sizes and reads back positions.
#pragma once

struct ViewerScrollRange {
    int maximum = 0; // the last position, in units
    int page = 0;    // units that fit in the client area
};

class ViewerModel {
public:
    static constexpr double kMinimumZoom = 0.02;
    static constexpr double kZoomInFactor = 1.15;
    static constexpr double kZoomOutFactor = 0.85;

    // Scroll unit 50 and fit margin 10 pixels at 96 dpi.
    explicit ViewerModel(int dpi = 96);

    void setDpi(int dpi);
    int scrollUnit() const { return m_unit; }
    int fitMargin() const { return m_margin; }

    void setClientSize(int width, int height);
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // The page image as shown; 0 x 0 while there is none.
    void setImageSize(int width, int height);
    bool hasImage() const { return m_imageWidth > 0 && m_imageHeight > 0; }
    int imageWidth() const { return m_imageWidth; }
    int imageHeight() const { return m_imageHeight; }

    double zoom() const { return m_zoom; }
    // Ignored below 0.02 (false). With an earlier factor and an image, the
    // scroll positions move by image size x (new - old) / (client / cursor) in
    // units, so the page point under the cursor (client coordinates) stays.
    bool setZoom(double factor, int cursorX, int cursorY);
    // Zoom in or out by a factor from the current zoom; nothing before the first zoom.
    bool zoomBy(double factor, int cursorX, int cursorY);
    // (client - margin) / image size; fitPage takes the height when the image
    // exceeds the client less in width than in height, and applies only a
    // factor above 0. The point under the cursor is kept as with setZoom.
    double fitWidthFactor() const;
    double fitHeightFactor() const;
    double fitPageFactor() const;
    bool fitWidth(int cursorX, int cursorY) { return setZoom(fitWidthFactor(), cursorX, cursorY); }
    bool fitHeight(int cursorX, int cursorY) { return setZoom(fitHeightFactor(), cursorX, cursorY); }
    bool fitPage(int cursorX, int cursorY);

    ViewerScrollRange horizontalRange() const;
    ViewerScrollRange verticalRange() const;
    int scrollX() const { return m_scrollX; }
    int scrollY() const { return m_scrollY; }
    // Clamped to 0..range maximum.
    void scrollTo(int x, int y);
    void scrollBy(int dx, int dy) { scrollTo(m_scrollX + dx, m_scrollY + dy); }

    // Where a point of the shown image (its own pixels) appears in the client
    // area, and the reverse.
    double toClientX(double imageX) const { return imageX * m_zoom - m_scrollX * m_unit; }
    double toClientY(double imageY) const { return imageY * m_zoom - m_scrollY * m_unit; }
    double toImageX(double clientX) const { return (clientX + m_scrollX * m_unit) / m_zoom; }
    double toImageY(double clientY) const { return (clientY + m_scrollY * m_unit) / m_zoom; }

private:
    ViewerScrollRange range(int imageSize, int clientSize) const;

    int m_unit = 50;
    int m_margin = 10;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    double m_zoom = -1;
    int m_scrollX = 0;
    int m_scrollY = 0;
};

// rotation + delta brought into -360..360 by steps of 360, then one of 0, 90,
// 180, 270, -90, -180, -270 (anything else becomes 0).
int nextRotation(int rotation, int delta);
// The clockwise quarter turns that turn an image by delta degrees: 90 and
// -270 one, 180 and -180 two, 270 and -90 three, anything else none.
int quarterTurns(int delta);

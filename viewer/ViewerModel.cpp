#include "viewer/ViewerModel.h"

#include <algorithm>
#include <cmath>

ViewerModel::ViewerModel(int dpi) { setDpi(dpi); }

void ViewerModel::setDpi(int dpi)
{
    m_unit = std::max(1, 50 * dpi / 96);
    m_margin = 10 * dpi / 96;
}

void ViewerModel::setClientSize(int width, int height)
{
    m_clientWidth = std::max(0, width);
    m_clientHeight = std::max(0, height);
    scrollTo(m_scrollX, m_scrollY);
}

void ViewerModel::setImageSize(int width, int height)
{
    m_imageWidth = std::max(0, width);
    m_imageHeight = std::max(0, height);
    scrollTo(m_scrollX, m_scrollY);
}

bool ViewerModel::setZoom(double factor, int cursorX, int cursorY)
{
    if (!(factor >= kMinimumZoom))
        return false;
    const double old = m_zoom;
    m_zoom = factor;
    if (old > 0 && hasImage()) {
        // Each axis: old position + image size x (new - old) / (client / cursor) / unit.
        const auto shift = [&](int imageSize, int clientSize, int cursor) {
            if (cursor == 0 || clientSize == 0)
                return 0.0;
            return imageSize * (factor - old) / (static_cast<double>(clientSize) / cursor) / m_unit;
        };
        const int x = static_cast<int>(m_scrollX + shift(m_imageWidth, m_clientWidth, cursorX));
        const int y = static_cast<int>(m_scrollY + shift(m_imageHeight, m_clientHeight, cursorY));
        scrollTo(x, y);
    } else {
        scrollTo(m_scrollX, m_scrollY);
    }
    return true;
}

bool ViewerModel::zoomBy(double factor, int cursorX, int cursorY)
{
    if (m_zoom <= 0)
        return false;
    return setZoom(m_zoom * factor, cursorX, cursorY);
}

double ViewerModel::fitWidthFactor() const
{
    if (m_imageWidth <= 0)
        return 0;
    return static_cast<double>(m_clientWidth - m_margin) / m_imageWidth;
}

double ViewerModel::fitHeightFactor() const
{
    if (m_imageHeight <= 0)
        return 0;
    return static_cast<double>(m_clientHeight - m_margin) / m_imageHeight;
}

double ViewerModel::fitPageFactor() const
{
    return m_imageWidth - m_clientWidth <= m_imageHeight - m_clientHeight ? fitHeightFactor() : fitWidthFactor();
}

bool ViewerModel::fitPage(int cursorX, int cursorY)
{
    const double factor = fitPageFactor();
    return factor > 0 && setZoom(factor, cursorX, cursorY);
}

ViewerScrollRange ViewerModel::range(int imageSize, int clientSize) const
{
    ViewerScrollRange r;
    if (m_zoom <= 0 || imageSize <= 0)
        return r;
    const double shown = imageSize * m_zoom;
    const int units = static_cast<int>(std::ceil(shown / m_unit));
    r.page = clientSize / m_unit;
    r.maximum = std::max(0, units - r.page);
    return r;
}

ViewerScrollRange ViewerModel::horizontalRange() const { return range(m_imageWidth, m_clientWidth); }
ViewerScrollRange ViewerModel::verticalRange() const { return range(m_imageHeight, m_clientHeight); }

void ViewerModel::scrollTo(int x, int y)
{
    m_scrollX = std::clamp(x, 0, horizontalRange().maximum);
    m_scrollY = std::clamp(y, 0, verticalRange().maximum);
}

int nextRotation(int rotation, int delta)
{
    int r = rotation + delta;
    while (r >= 360)
        r -= 360;
    while (r <= -360)
        r += 360;
    switch (r) {
    case 0:
    case 90:
    case 180:
    case 270:
    case -90:
    case -180:
    case -270:
        return r;
    default:
        return 0;
    }
}

int quarterTurns(int delta)
{
    switch (delta) {
    case 90:
    case -270:
        return 1;
    case 180:
    case -180:
        return 2;
    case 270:
    case -90:
        return 3;
    default:
        return 0;
    }
}

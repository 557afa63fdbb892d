// Repainting the page display from its scaled copy of the page: the window
// shows what drawing the whole page image at the zoom and scroll positions
// gives (up to the interpolation's rounding), and the copy stays bounded at a
// high zoom.
#include "gui/GdiplusSession.h"
#include "gui/PaintBuffer.h"
#include "tests/support/WindowTestSupport_win.h"
#include "tests/viewer/ViewerTestSupport_win.h"
#include "viewer/PDFViewerBase.h"
#include "viewer/PageImageDecoder.h"
#include "viewer/ViewerModel.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The page as drawn straight from the page image file: on the background, the
// whole image scaled to the zoom and moved by the scroll positions.
std::vector<COLORREF> drawnWhole(const PDFViewerBase& display, int page)
{
    std::unique_ptr<Gdiplus::Bitmap> image = decodePageImageFile(display.cachedFiles().at(page));
    static const Gdiplus::RotateFlipType kTurns[] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                     Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
    image->RotateFlip(kTurns[quarterTurns(display.rotation())]);
    const ViewerModel& model = display.model();
    const int width = model.clientWidth(), height = model.clientHeight();
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    {
        const PaintBuffer buffer(screen, width, height);
        HBRUSH background = CreateSolidBrush(0x292929);
        const RECT all = {0, 0, width, height};
        FillRect(buffer.dc(), &all, background);
        DeleteObject(background);
        {
            Gdiplus::Graphics g(buffer.dc());
            g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
            g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
            const double z = model.zoom();
            g.DrawImage(image.get(), Gdiplus::RectF(static_cast<Gdiplus::REAL>(model.toClientX(0)),
                                                    static_cast<Gdiplus::REAL>(model.toClientY(0)),
                                                    static_cast<Gdiplus::REAL>(image->GetWidth() * z),
                                                    static_cast<Gdiplus::REAL>(image->GetHeight() * z)));
        }
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(GetPixel(buffer.dc(), x, y));
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

class PageRepaint : public PageDisplayTest {
protected:
    void SetUp() override
    {
        PageDisplayTest::SetUp();
        ASSERT_TRUE(pumpUntil([&] { return !m_display->isImageReduced() && m_display->isIdle(); }));
    }
    // Pixels of the window that differ from the whole page drawn directly by
    // more than the interpolation's rounding: the scaled page is drawn at
    // another (whole-pixel) offset, which may move a channel of a few pixels by one.
    int differing()
    {
        // The picture as settled after a zoom change.
        EXPECT_TRUE(pumpUntil([&] { return m_display->isScaledPageSettled(); }));
        const WindowPicture shown(m_display->hwnd());
        const std::vector<COLORREF> expected = drawnWhole(*m_display, m_display->displayedPage());
        EXPECT_EQ(shown.width(), m_display->model().clientWidth());
        int count = 0, rounded = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const COLORREF a = shown.pixel(x, y), b = expected[static_cast<size_t>(y) * shown.width() + x];
                int most = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    most = std::max(
                        most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
                count += most > 1;
                rounded += most == 1;
            }
        EXPECT_LT(rounded, shown.width() * shown.height() / 1000);
        return count;
    }
    void scrollTo(int x, int y)
    {
        m_display->send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, x));
        m_display->send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, y));
    }
};

TEST_F(PageRepaint, ShowsWhatTheWholePageDrawnAtTheZoomGives)
{
    GdiplusSession gdiplus;
    EXPECT_EQ(differing(), 0) << "first fit";
    m_display->fitWidth();
    scrollTo(0, 2);
    EXPECT_EQ(differing(), 0) << "fit width, scrolled";
    // The first scroll after a zoom scales the rest of the page, the
    // following ones only copy.
    m_display->send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(differing(), 0) << "fit width, a line up";
    const int made = m_display->scaledPartsMade();
    m_display->send(WM_VSCROLL, SB_LINEDOWN);
    m_display->send(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(differing(), 0) << "fit width, two lines down";
    EXPECT_EQ(m_display->scaledPartsMade(), made);

    m_display->setZoom(1.0);
    scrollTo(5, 9);
    EXPECT_EQ(differing(), 0) << "100 %";
    m_display->rotate(90);
    m_display->zoomBy(0.85);
    scrollTo(3, 4);
    RedrawWindow(m_display->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(m_display->isScaledPageSettled()); // scaled quickly at first
    EXPECT_EQ(differing(), 0) << "turned, 85 %";
    m_display->rotate(90);
    m_display->fitPage();
    EXPECT_EQ(differing(), 0) << "upside down, fit page";

    // The next page replaces the scaled copy.
    m_display->rotate(180);
    m_display->showPage(2);
    ASSERT_TRUE(waitUntilShown(*m_display));
    ASSERT_TRUE(pumpUntil([&] { return !m_display->isImageReduced() && m_display->isIdle(); }));
    EXPECT_EQ(differing(), 0) << "page 2";
}

TEST_F(PageRepaint, KeepsABoundedPartOfThePageAtAHighZoom)
{
    GdiplusSession gdiplus;
    m_display->setZoom(4.0);
    const ViewerModel& model = m_display->model();
    const long long client = static_cast<long long>(model.clientWidth()) * model.clientHeight();
    const auto keptPixels = [&] {
        const RECT kept = m_display->scaledPart();
        return static_cast<long long>(kept.right - kept.left) * (kept.bottom - kept.top);
    };
    // Across the page and back: the part kept follows the view and stays at
    // most four client areas, a small part of the page.
    const int positions[][2] = {{0, 0}, {10, 20}, {60, 120}, {model.horizontalRange().maximum, 200}, {1, 1}};
    for (const auto& at : positions) {
        scrollTo(at[0], at[1]);
        EXPECT_EQ(differing(), 0) << at[0] << ", " << at[1];
        EXPECT_GT(keptPixels(), 0);
        EXPECT_LE(keptPixels(), 4 * client);
    }
    EXPECT_GE(m_display->scaledPartsMade(), 4);
}

} // namespace

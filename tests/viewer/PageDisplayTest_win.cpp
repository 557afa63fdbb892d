// The page display with real pages from the interpreter, in a real window:
// the render thread, rotation, zoom limits, fits, saving, and the rendered
// page images going with their source.
#include "base/Files.h"
#include "gui/Dpi.h"
#include "gui/GdiplusSession.h"
#include "operations/PdfSource.h"
#include "tests/support/WindowTestSupport_win.h"
#include "tests/viewer/ViewerTestSupport_win.h"
#include "viewer/ImageExport.h"
#include "viewer/JobViewer.h"
#include "viewer/PDFViewer.h"
#include "viewer/PDFViewerBase.h"
#include "viewer/PageImageDecoder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

namespace {

class PageDisplay : public PageDisplayTest {};

TEST_F(PageDisplay, RendersOnRequestOnlyAndHasTheNextPageReady)
{
    ASSERT_TRUE(pumpUntil([&] { return m_display->isPageCached(2) && m_display->isIdle(); }));
    EXPECT_EQ(m_display->displayedPage(), 1);
    EXPECT_GT(m_display->zoom(), 0); // the first page set the first zoom by a fit
    const int renders = m_display->renderCount();
    EXPECT_EQ(renders, 2); // page 1, and page 2 ahead

    // The page already shown: nothing is rendered and the thread keeps waiting.
    m_display->showPage(1);
    pumpUntil([] { return true; });
    Sleep(300);
    EXPECT_TRUE(m_display->isIdle());
    EXPECT_EQ(m_display->renderCount(), renders);

    // The next page comes from the cache.
    m_display->showPage(2);
    ASSERT_TRUE(waitUntilShown(*m_display));
    EXPECT_EQ(m_display->displayedPage(), 2);
    ASSERT_TRUE(pumpUntil([&] { return m_display->isPageCached(3) && m_display->isIdle(); }));
    EXPECT_EQ(m_display->renderCount(), renders + 1); // only page 3, ahead
}

TEST_F(PageDisplay, FourQuarterTurnsGiveTheFirstOrientationBack)
{
    const SIZE size = m_display->imageSize();
    ASSERT_GT(size.cx, 0);
    ASSERT_NE(size.cx, size.cy);
    const POINT probes[] = {{size.cx / 5, size.cy / 7}, {size.cx / 2, size.cy / 3}, {size.cx - 40, size.cy - 60}};
    unsigned before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = m_display->pixelOfImage(probes[i].x, probes[i].y);

    m_display->rotate(90);
    EXPECT_EQ(m_display->rotation(), 90);
    const SIZE turned = m_display->imageSize();
    EXPECT_EQ(turned.cx, size.cy);
    EXPECT_EQ(turned.cy, size.cx);
    // A quarter turn clockwise: (x, y) goes to (height - 1 - y, x).
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_display->pixelOfImage(size.cy - 1 - probes[i].y, probes[i].x), before[i]) << i;

    for (int i = 0; i < 3; ++i)
        m_display->rotate(90);
    EXPECT_EQ(m_display->rotation(), 0);
    EXPECT_EQ(m_display->imageSize().cx, size.cx);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_display->pixelOfImage(probes[i].x, probes[i].y), before[i]) << i;

    // A rotation stays for the pages shown after it.
    m_display->rotate(-90);
    m_display->showPage(2);
    ASSERT_TRUE(waitUntilShown(*m_display));
    EXPECT_EQ(m_display->rotation(), -90);
    EXPECT_EQ(m_display->imageSize().cx, size.cy);
}

TEST_F(PageDisplay, ShowsAReducedPictureFirstAndZoomsInOnTheFullOne)
{
    // At the first fit of this window a quarter of the page image suffices.
    EXPECT_EQ(m_display->reducedFirstLooks(), 1);
    for (int i = 0; i < 4; ++i)
        m_display->zoomBy(1.15);
    ASSERT_TRUE(waitUntilShown(*m_display));
    EXPECT_FALSE(m_display->isImageReduced());
    // Pixel for pixel the page image file, across the title's letters.
    GdiplusSession gdiplus;
    const auto file = decodePageImageFile(m_display->cachedFiles().at(1));
    ASSERT_NE(file, nullptr);
    const SIZE size = m_display->imageSize();
    EXPECT_EQ(size.cx, static_cast<LONG>(file->GetWidth()));
    EXPECT_EQ(size.cy, static_cast<LONG>(file->GetHeight()));
    int differing = 0, dark = 0;
    for (int y = size.cy * 3 / 25; y < size.cy * 4 / 25; y += 7)
        for (int x = size.cx / 10; x < size.cx / 2; x += 3) {
            Gdiplus::Color color;
            file->GetPixel(x, y, &color);
            const unsigned expected = color.GetValue() & 0xFFFFFF;
            differing += m_display->pixelOfImage(x, y) != expected;
            dark += (expected & 0xFF) < 0x80;
        }
    EXPECT_GT(dark, 50); // the row crosses the letters
    EXPECT_EQ(differing, 0);
}

// Pixels of the grid that differ between two pictures of the same size.
int differingPixels(const WindowPicture& a, const WindowPicture& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); y += 4)
        for (int x = 0; x < a.width(); x += 4)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return differing;
}

TEST_F(PageDisplay, PaintsThePageAgainWhenItChanges)
{
    // Pictures of the settled page: the full image, scaled with interpolation.
    const auto picture = [&] {
        EXPECT_TRUE(pumpUntil([&] { return !m_display->isImageReduced() && m_display->isScaledPageSettled(); }));
        m_display->invalidate();
        pumpUntil([] { return true; });
        return WindowPicture(m_display->hwnd());
    };
    const WindowPicture first = picture();
    EXPECT_EQ(differingPixels(first, picture()), 0);
    m_display->rotate(90);
    const WindowPicture turned = picture();
    EXPECT_GT(differingPixels(first, turned), 100);
    m_display->zoomBy(0.85);
    const WindowPicture smaller = picture();
    EXPECT_GT(differingPixels(turned, smaller), 100);
    m_display->rotate(-90);
    m_display->zoomBy(1 / 0.85);
    m_display->showPage(2);
    ASSERT_TRUE(waitUntilShown(*m_display));
    EXPECT_GT(differingPixels(first, picture()), 20); // "page 2", and a "2" in the middle
}

TEST_F(PageDisplay, FitsUseTheClientAreaLessTheMarginAndZoomOutStops)
{
    const SIZE image = m_display->imageSize();
    const RECT client = m_display->clientRect();
    const int margin = 10 * dpiOf(m_display->hwnd()) / 96;
    m_display->fitWidth();
    EXPECT_DOUBLE_EQ(m_display->zoom(), static_cast<double>(client.right - margin) / image.cx);
    m_display->fitHeight();
    EXPECT_DOUBLE_EQ(m_display->zoom(), static_cast<double>(client.bottom - margin) / image.cy);
    m_display->fitPage(); // a portrait page in a client that is not tall enough: the height
    EXPECT_DOUBLE_EQ(m_display->zoom(), static_cast<double>(client.bottom - margin) / image.cy);

    for (int i = 0; i < 100; ++i)
        m_display->zoomBy(0.85);
    EXPECT_GE(m_display->zoom(), 0.02);
    EXPECT_LT(m_display->zoom() * 0.85, 0.02);
}

TEST_F(PageDisplay, ZoomKeepsThePagePointUnderTheCursor)
{
    // A client 600 pixels wide that the page fills exactly: zooming to twice
    // that about x = 150 scrolls by whole units.
    const RECT outer = m_display->windowRect();
    const int frameWidth = (outer.right - outer.left) - m_display->clientRect().right;
    m_display->move(0, 0, 600 + frameWidth, 700);
    ASSERT_EQ(m_display->clientRect().right, 600);
    const double fill = 600.0 / m_display->imageSize().cx;
    m_display->setZoom(fill);
    m_display->send(WM_HSCROLL, SB_TOP);
    m_display->send(WM_VSCROLL, SB_TOP);

    POINT at = {150, 200};
    ClientToScreen(m_display->hwnd(), &at);
    SetCursorPos(at.x, at.y);
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (cursor.x != at.x || cursor.y != at.y)
        GTEST_SKIP() << "the cursor cannot be placed on this display";
    const double pageX = m_display->model().toImageX(150);
    m_display->setZoom(2 * fill);
    EXPECT_NEAR(m_display->model().toClientX(pageX), 150, 1.0);
    WindowPicture(m_display->hwnd()).savePng(picturePath(L"page-display-zoomed.png"));
}

TEST_F(PageDisplay, DragPansWheelScrollsAndCtrlWheelZooms)
{
    m_display->setZoom(0.5); // taller and wider than the window
    m_display->send(WM_VSCROLL, SB_TOP);
    m_display->send(WM_HSCROLL, SB_TOP);
    ASSERT_GT(m_display->model().verticalRange().maximum, 10);
    const int unit = m_display->model().scrollUnit();
    postDrag(m_display->hwnd(), {300, 500}, {300, 500 - 4 * unit});
    EXPECT_EQ(m_display->model().scrollY(), 4);
    EXPECT_EQ(GetCapture(), nullptr);

    // One line per wheel message, whatever its delta.
    m_display->send(WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_EQ(m_display->model().scrollY(), 3);
    m_display->send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_EQ(m_display->model().scrollY(), 4);
    m_display->send(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(m_display->model().scrollY(), 5);
    m_display->send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(m_display->model().scrollY(), m_display->model().verticalRange().maximum);

    const double zoom = m_display->zoom();
    m_display->send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 0), MAKELPARAM(100, 100));
    EXPECT_EQ(m_display->zoom(), zoom);
    m_display->send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_DOUBLE_EQ(m_display->zoom(), zoom * 1.15);
    m_display->send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(100, 100));
    EXPECT_DOUBLE_EQ(m_display->zoom(), zoom * 1.15 * 0.85);
}

TEST_F(PageDisplay, SavesByTheExtensionAndNothingForOthers)
{
    const ZString jpeg = m_scratch.file(L"x.JPG");
    ASSERT_TRUE(m_display->saveImageAs(jpeg));
    EXPECT_EQ(readFileBytes(jpeg).substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(imageMimeTypeFor(jpeg), ZString(L"image/jpeg"));

    const ZString pdf = m_scratch.file(L"x.pdf");
    EXPECT_FALSE(m_display->saveImageAs(pdf));
    EXPECT_FALSE(pathExists(pdf));

    // The GIF encoder is the one a ".gif" name picks (its files are not
    // checked: that encoder writes broken files under Wine).
    EXPECT_EQ(imageMimeTypeFor(L"a.Gif"), ZString(L"image/gif"));
    CLSID gif = {};
    EXPECT_TRUE(findImageEncoder(L"image/gif", gif));
    const ZString png = m_scratch.file(L"x.png");
    ASSERT_TRUE(m_display->saveImageAs(png));
    EXPECT_EQ(readFileBytes(png).substr(1, 3), "PNG");
    const ZString tiff = m_scratch.file(L"x.tiff");
    ASSERT_TRUE(m_display->saveImageAs(tiff));
    EXPECT_EQ(readFileBytes(tiff).substr(0, 2), "II");
}

TEST(PageDisplayWithoutPage, SavesNothing)
{
    PDFViewerBase display(L"Z:\\nowhere\\missing.pdf", 1);
    EXPECT_FALSE(display.saveImageAs(L"C:\\x.jpg"));
    EXPECT_EQ(display.currentPage(), 0);
    EXPECT_EQ(display.zoom(), -1);
}

class SourceDisplay : public ViewerTest {};

TEST_F(SourceDisplay, PageImagesGoWithTheSource)
{
    installPageDisplays();
    auto source = std::make_unique<PdfSource>(sampleCopy(L"owned.pdf"), L"Owned");
    std::shared_ptr<PDFViewerBase> display = source->viewer();
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(source->viewer(), display); // made once
    EXPECT_EQ(display->pageCount(), 3);
    EXPECT_EQ(display->displayName(), ZString(L"Owned"));
    display->showPage(3);
    ASSERT_TRUE(waitUntilShown(*display));
    const auto files = display->cachedFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(isFile(files.begin()->second));
    display.reset();
    source.reset();
    EXPECT_FALSE(pathExists(files.begin()->second));
}

} // namespace

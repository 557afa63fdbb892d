// PdfSource and page thumbnails with the real interpreter (or the recording
// stand-in where a test must prove that nothing was rendered or rewritten).
#include "base/Files.h"
#include "base/Paths.h"
#include "operations/PdfSource.h"
#include "operations/ThumbMaker.h"
#include "tests/operations/OperationsTestSupport.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/String.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

struct CountingNotify : IPDFPageThumbMakerNotify {
    std::atomic<int> calls{0};
    void thumbnailReady() override { ++calls; }
};

class Thumbnails : public InterpreterTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        useBridge();
        m_pdf = m_scratch.file(L"sample.pdf");
        copyFile(sourcePath(L"samples/sample.pdf"), m_pdf);
    }
    ZString m_pdf;
};

ThumbRequest requestFor(int page, IPDFPageThumbMakerNotify* notify, int width = 60, int height = 85)
{
    ThumbRequest r;
    r.page = page;
    r.width = width;
    r.height = height;
    r.resolution = 20;
    r.notify = notify;
    return r;
}

// Whether a pixel is white as far as JPEG compression leaves it.
bool nearlyWhite(Gdiplus::Bitmap* bitmap, int x, int y)
{
    Gdiplus::Color c;
    bitmap->GetPixel(x, y, &c);
    return c.GetR() > 240 && c.GetG() > 240 && c.GetB() > 240;
}

// Draws bitmap turned by rotation into a 40 x 60 DIB and returns its pixels.
std::vector<uint32_t> drawn(Gdiplus::Bitmap* bitmap, int rotation)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -60;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    const RECT rect = {0, 0, 40, 60};
    drawThumbnail(bitmap, dc, rect, rotation);
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 40 * 60);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return pixels;
}

} // namespace

TEST(ThumbnailGeometry, SmallImagesAreCentredAndLargeOnesFitted)
{
    const ThumbPlacement small = placeThumbnail(20, 30, 100, 140);
    EXPECT_EQ(small.x, 40);
    EXPECT_EQ(small.y, 55);
    EXPECT_EQ(small.width, 20);
    EXPECT_EQ(small.height, 30);
    const ThumbPlacement landscape = placeThumbnail(842, 595, 100, 140); // fills the width
    EXPECT_EQ(landscape.x, 0);
    EXPECT_EQ(landscape.width, 100);
    EXPECT_EQ(landscape.height, 70);
    EXPECT_EQ(landscape.y, 35);
    const ThumbPlacement portrait = placeThumbnail(595, 842, 200, 140); // fills the height
    EXPECT_EQ(portrait.height, 140);
    EXPECT_EQ(portrait.width, 98);
    EXPECT_EQ(portrait.x, 51);
}

TEST(ThumbnailGeometry, RotationsReduceToQuarterTurns)
{
    EXPECT_EQ(thumbnailAngle(-90), 270);
    EXPECT_EQ(thumbnailAngle(450), 90);
    EXPECT_EQ(thumbnailAngle(-270), 90);
    EXPECT_EQ(thumbnailAngle(-180), 180);
    EXPECT_EQ(thumbnailAngle(45), 0);

    // A bitmap with one red corner draws alike for equivalent rotations.
    Gdiplus::Bitmap bitmap(40, 60, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 255, 0, 0));
        g.FillRectangle(&red, 0, 0, 12, 12);
    }
    EXPECT_EQ(drawn(&bitmap, -90), drawn(&bitmap, 270));
    EXPECT_EQ(drawn(&bitmap, 450), drawn(&bitmap, 90));
    EXPECT_NE(drawn(&bitmap, 90), drawn(&bitmap, 270));
    EXPECT_NE(drawn(&bitmap, 0), drawn(&bitmap, 180));
}

TEST_F(Thumbnails, OnePageForTwoRequestersIsRenderedOnceAndAnsweredLaterAtOnce)
{
    CountingNotify a, b, late;
    PDFPageThumbMaker maker(m_pdf);
    maker.request(requestFor(2, &a));
    maker.request(requestFor(2, &b));
    maker.request(requestFor(2, &a)); // the same request again: ignored
    ASSERT_TRUE(waitFor([&] { return a.calls == 1 && b.calls == 1; }));
    EXPECT_EQ(maker.renderCount(), 1);
    Gdiplus::Bitmap* bitmap = maker.bitmapFor(requestFor(2, nullptr));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetWidth(), 60u);
    EXPECT_EQ(bitmap->GetHeight(), 85u);
    EXPECT_TRUE(nearlyWhite(bitmap, 0, 0));    // the page's white margin
    EXPECT_FALSE(nearlyWhite(bitmap, 30, 60)); // the big page number

    maker.request(requestFor(2, &late)); // finished already: told on this thread, nothing queued
    EXPECT_EQ(late.calls, 1);
    // Another size of the same page reuses the page's image.
    maker.request(requestFor(2, &late, 30, 40));
    ASSERT_TRUE(waitFor([&] { return late.calls == 2; }));
    EXPECT_EQ(maker.renderCount(), 1);
    EXPECT_EQ(maker.bitmapFor(requestFor(3, nullptr)), nullptr);

    // Evicted, the bitmap is made again from the kept image, without the interpreter.
    maker.evict(requestFor(2, nullptr));
    EXPECT_EQ(maker.bitmapFor(requestFor(2, nullptr)), nullptr);
    maker.request(requestFor(2, &late));
    ASSERT_TRUE(waitFor([&] { return late.calls == 3; }));
    EXPECT_NE(maker.bitmapFor(requestFor(2, nullptr)), nullptr);
    EXPECT_EQ(maker.renderCount(), 1);
}

TEST_F(Thumbnails, AScreenPageShrunkToAThumbnailKeepsAllFourSidesOfItsHairlineFrame)
{
    // The sample's pages are framed by a 1 pt line, 40 pt inside the page
    // edge, on a light blue fill (red 237): at 96 dpi about a pixel wide,
    // shrunk about 5.6 times into the medium thumbnail size.
    CountingNotify notify;
    PDFPageThumbMaker maker(m_pdf);
    ThumbRequest request = requestFor(1, &notify, 150, 200);
    request.resolution = 96;
    maker.request(request);
    ASSERT_TRUE(waitFor([&] { return notify.calls == 1; }));
    Gdiplus::Bitmap* bitmap = maker.bitmapFor(request);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetPixelFormat(), PixelFormat24bppRGB);
    EXPECT_TRUE(nearlyWhite(bitmap, 1, 100)); // the white beside the fitted page
    // The darkest red on a line across each side, away from the page's text.
    const auto darkest = [&](int x, int y, int dx, int dy) {
        int least = 255;
        for (int i = 0; i < 30; ++i, x += dx, y += dy) {
            Gdiplus::Color c;
            bitmap->GetPixel(x, y, &c);
            least = std::min<int>(least, c.GetR());
        }
        return least;
    };
    EXPECT_LT(darkest(0, 170, 1, 0), 222) << "left";
    EXPECT_LT(darkest(120, 170, 1, 0), 222) << "right";
    EXPECT_LT(darkest(115, 0, 0, 1), 222) << "top";
    EXPECT_LT(darkest(115, 170, 0, 1), 222) << "bottom";
}

TEST_F(Thumbnails, WithdrawnRequestsAreNotRenderedAndAGoingMakerEndsItsPage)
{
    // The stand-in interpreter holds the first page long enough to withdraw the second.
    useRecorder();
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", L"400");
    CountingNotify first, second, third;
    PDFPageThumbMaker maker(m_pdf);
    maker.request(requestFor(1, &first));
    maker.request(requestFor(3, &second));
    maker.withdraw(requestFor(3, &second));
    ASSERT_TRUE(waitFor([&] { return first.calls == 1; }));
    // The worker takes requests in order: once a later one is answered, it has
    // passed the withdrawn one.
    maker.request(requestFor(2, &third));
    ASSERT_TRUE(waitFor([&] { return third.calls == 1; }));
    EXPECT_EQ(maker.renderCount(), 2);
    EXPECT_EQ(second.calls, 0);
    EXPECT_EQ(recordedCommandLines().size(), 2u);

    // A maker that goes while a page takes minutes does not wait for it.
    SetEnvironmentVariableW(L"GSRECORDER_WAIT_MS", L"300000");
    auto going = std::make_unique<PDFPageThumbMaker>(m_pdf);
    going->request(requestFor(1, &third));
    ASSERT_TRUE(waitFor([this] { return recordedCommandLines().size() == 3; }));
    std::atomic<bool> gone = false;
    std::thread destroyer([&] {
        going.reset();
        gone = true;
    });
    EXPECT_TRUE(waitFor([&] { return gone.load(); }));
    destroyer.join();
    EXPECT_EQ(third.calls, 1);
}

TEST_F(Thumbnails, SourcesOpenReadTheirInformationAndDeleteTheirFiles)
{
    EXPECT_THROW(PdfSource(m_scratch.file(L"missing.pdf")), std::runtime_error);
    const ZString broken = m_scratch.file(L"broken.pdf");
    writeFileBytes(broken, "%PDF-1.4\nnot really\n");
    try {
        PdfSource source(broken);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Error reading PDF Info:\nstartxref not found");
    }
    {
        PdfSource source(m_pdf, L"Sample");
        EXPECT_EQ(source.pageCount(), 3);
        EXPECT_NE(source.info().producer.find(L"Ghostscript"), -1);
        source.thumbMaker()->request(requestFor(1, nullptr));
    }
    EXPECT_FALSE(pathExists(m_pdf));
}

TEST_F(Thumbnails, OnlyForeignProducersAreRewrittenForComposing)
{
    useRecorder();
    // Our own file: never rewritten.
    const ZString own = m_scratch.file(L"own.pdf");
    {
        zpdf::Document document;
        document.addPage(200, 300);
        document.getInfoDict(true)->set(zpdf::kProducer, zpdf::IPtr<zpdf::Object>(new zpdf::String(zpdf::DataBuffer("(Tamlo Quillet)"))));
        ASSERT_TRUE(document.save(own));
    }
    PdfSource ours(own);
    EXPECT_EQ(ours.normalizedPdf(nullptr), own);
    // Ghostscript's file: used as it is.
    PdfSource ghostscripts(m_pdf);
    EXPECT_EQ(ghostscripts.normalizedPdf(nullptr), m_pdf);
    EXPECT_TRUE(recordedCommandLines().empty());

    // Anybody else's: rewritten once, then reused.
    const ZString foreign = m_scratch.file(L"foreign.pdf");
    {
        zpdf::Document document;
        document.addPage(200, 300);
        ASSERT_TRUE(document.save(foreign));
    }
    PdfSource theirs(foreign);
    const ZString normalized = theirs.normalizedPdf(nullptr);
    EXPECT_NE(normalized, foreign);
    EXPECT_EQ(theirs.normalizedPdf(nullptr), normalized);
    EXPECT_EQ(recordedCommandLines().size(), 1u);
}

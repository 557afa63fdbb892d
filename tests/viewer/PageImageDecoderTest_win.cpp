// Page images decoded while the interpreter writes them: the stream that
// follows a growing file, and a page rendered and decoded at once giving the
// same pixels as the finished file decoded afterwards (JPEG and TIFF).
#include "base/Files.h"
#include "gui/GdiplusSession.h"
#include "operations/ChildProcess.h"
#include "tests/viewer/ViewerTestSupport_win.h"
#include "viewer/GrowingFileStream.h"
#include "viewer/PDFViewerBase.h"
#include "viewer/PageImageDecoder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

bool appendBytes(const ZString& file, const std::string& bytes)
{
    HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
    CloseHandle(h);
    return ok && written == bytes.size();
}

// Whether two bitmaps have the same size and the same 24-bit pixels.
bool samePixels(Gdiplus::Bitmap& a, Gdiplus::Bitmap& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return false;
    const Gdiplus::Rect all(0, 0, static_cast<INT>(a.GetWidth()), static_cast<INT>(a.GetHeight()));
    Gdiplus::BitmapData da = {}, db = {};
    if (a.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &da) != Gdiplus::Ok)
        return false;
    if (b.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &db) != Gdiplus::Ok) {
        a.UnlockBits(&da);
        return false;
    }
    bool same = true;
    for (UINT y = 0; y < a.GetHeight() && same; ++y)
        same = std::memcmp(static_cast<BYTE*>(da.Scan0) + y * da.Stride, static_cast<BYTE*>(db.Scan0) + y * db.Stride,
                           a.GetWidth() * 3) == 0;
    a.UnlockBits(&da);
    b.UnlockBits(&db);
    return same;
}

TEST(GrowingFile, ReadsWaitForTheWriterUntilItHasFinished)
{
    ScratchFolder scratch;
    const ZString file = scratch.file(L"growing.bin");
    GrowingFileStream* stream = GrowingFileStream::create(file); // before the file exists
    std::thread writer([&] {
        Sleep(50);
        appendBytes(file, "0123456789");
        Sleep(50);
        appendBytes(file, "abcdefghij");
        Sleep(50);
        stream->finish();
    });
    char buffer[32] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 15, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "0123456789abcde");
    // The end is known only once the writer has finished.
    LARGE_INTEGER none = {};
    ULARGE_INTEGER end = {};
    EXPECT_EQ(stream->Seek(none, STREAM_SEEK_END, &end), S_OK);
    EXPECT_EQ(end.QuadPart, 20u);
    LARGE_INTEGER back = {};
    back.QuadPart = -8;
    stream->Seek(back, STREAM_SEEK_CUR, nullptr);
    EXPECT_EQ(stream->Read(buffer, 10, &read), S_FALSE); // short: nothing more comes
    EXPECT_EQ(std::string(buffer, read), "cdefghij");
    writer.join();
    stream->Release();
    EXPECT_TRUE(deleteFile(file, false)); // the stream let go of the file
}

class RenderedPages : public ViewerTest {
protected:
    GdiplusSession m_gdiplus;
};

TEST_F(RenderedPages, DecodedWhileWrittenEqualsTheFinishedFileDecoded)
{
    const ZString pdf = sampleCopy(L"decode.pdf");
    const auto quarter = [](int, int) { return 4; };
    for (const bool tiff : {false, true}) {
        RenderedPage page = renderPageImage(pdf, 2, 100, tiff, true, nullptr, quarter);
        ASSERT_TRUE(isFile(page.file)) << tiff;
        ASSERT_NE(page.image, nullptr) << tiff;
        EXPECT_EQ(page.image->GetWidth(), 826u) << tiff; // A4 at 100 dpi
        EXPECT_EQ(page.image->GetHeight(), 1169u) << tiff;
        const auto whole = decodePageImageFile(page.file);
        ASSERT_NE(whole, nullptr) << tiff;
        EXPECT_TRUE(samePixels(*page.image, *whole)) << tiff;
        // The reduced picture made while the file was written, only of a JPEG.
        if (tiff) {
            EXPECT_EQ(page.reduced.image, nullptr);
        } else {
            ASSERT_NE(page.reduced.image, nullptr);
            EXPECT_EQ(page.reduced.fullWidth, 826);
            const ReducedPageImage afterwards = decodeReducedPageImage(page.file, quarter);
            ASSERT_NE(afterwards.image, nullptr);
            EXPECT_TRUE(samePixels(*page.reduced.image, *afterwards.image));
        }
        EXPECT_TRUE(deleteFile(page.file, false)) << tiff;
    }
}

TEST_F(RenderedPages, AReducedPictureIsThePageAtASmallerSize)
{
    const ZString pdf = sampleCopy(L"reduced.pdf");
    RenderedPage page = renderPageImage(pdf, 1, 300, false, false, nullptr);
    ASSERT_TRUE(isFile(page.file));
    EXPECT_EQ(page.image, nullptr); // not decoded when not asked to
    const auto full = decodePageImageFile(page.file);
    ASSERT_NE(full, nullptr);
    int askedWidth = 0, askedHeight = 0;
    for (const int scale : {2, 4, 8}) {
        ReducedPageImage reduced = decodeReducedPageImage(page.file, [&](int width, int height) {
            askedWidth = width;
            askedHeight = height;
            return scale;
        });
        ASSERT_NE(reduced.image, nullptr) << scale;
        EXPECT_EQ(askedWidth, 2479);
        EXPECT_EQ(reduced.fullWidth, 2479);
        EXPECT_EQ(reduced.fullHeight, 3508);
        EXPECT_EQ(reduced.image->GetWidth(), static_cast<UINT>((2479 + scale - 1) / scale)) << scale;
        EXPECT_EQ(reduced.image->GetHeight(), static_cast<UINT>((3508 + scale - 1) / scale)) << scale;
        // Each reduced pixel is close to the middle of its part of the full page.
        long long difference = 0;
        int samples = 0;
        for (UINT y = 0; y < reduced.image->GetHeight(); y += 5)
            for (UINT x = 0; x < reduced.image->GetWidth(); x += 5) {
                Gdiplus::Color small, large;
                reduced.image->GetPixel(static_cast<INT>(x), static_cast<INT>(y), &small);
                full->GetPixel(static_cast<INT>(x * scale + scale / 2), static_cast<INT>(y * scale + scale / 2),
                               &large);
                difference += std::abs(small.GetR() - large.GetR()) + std::abs(small.GetG() - large.GetG()) +
                              std::abs(small.GetB() - large.GetB());
                ++samples;
            }
        EXPECT_LT(difference / samples, 8) << scale; // summed over the three colours
    }
    // Nothing when no reduction is worth it, and nothing for a TIFF.
    EXPECT_EQ(decodeReducedPageImage(page.file, [](int, int) { return 1; }).image, nullptr);
    RenderedPage tiff = renderPageImage(pdf, 1, 100, true, false, nullptr);
    ASSERT_TRUE(isFile(tiff.file));
    EXPECT_EQ(decodeReducedPageImage(tiff.file, [](int, int) { return 2; }).image, nullptr);
    deleteFile(page.file, false);
    deleteFile(tiff.file, false);
}

TEST_F(RenderedPages, AnAbortedRenderEndsWithoutAnImage)
{
    const ZString pdf = sampleCopy(L"aborted.pdf");
    AbortControl control;
    std::thread aborter([&] {
        Sleep(100);
        control.abort();
    });
    RenderedPage page = renderPageImage(pdf, 1, 300, false, true, &control);
    aborter.join();
    EXPECT_EQ(page.image, nullptr);
    if (!page.file.isEmpty())
        deleteFile(page.file, false);
}

TEST_F(RenderedPages, TiffPagesAreShownAndCachedAsTiff)
{
    PDFViewerBase display(sampleCopy(L"tiff.pdf"), 3, L"Tiff", PDFViewerBase::kTiffOutput);
    display.showPage(1);
    ASSERT_TRUE(waitUntilShown(display));
    EXPECT_EQ(display.imageSize().cx, 2479); // A4 at 300 dpi
    EXPECT_EQ(display.imageSize().cy, 3508);
    const auto files = display.cachedFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_TRUE(files.at(1).endsWith(L".tiff"));
}

} // namespace

#include "operations/ThumbMaker.h"

#include "base/Files.h"
#include "base/ScreenResolution.h"
#include "base/Trace.h"
#include "operations/AreaShrink.h"
#include "operations/Ghostscript.h"

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstring>
#include <memory>

ThumbPlacement placeThumbnail(int imageWidth, int imageHeight, int cellWidth, int cellHeight)
{
    if (imageWidth <= cellWidth && imageHeight <= cellHeight)
        return {(cellWidth - imageWidth) / 2, (cellHeight - imageHeight) / 2, imageWidth, imageHeight};
    if (static_cast<long long>(imageWidth) * cellHeight <= static_cast<long long>(imageHeight) * cellWidth) {
        // Fills the height.
        const int width = static_cast<int>(imageWidth / (static_cast<double>(imageHeight) / cellHeight));
        return {(cellWidth - width) / 2, 0, width, cellHeight};
    }
    const int height = static_cast<int>(imageHeight / (static_cast<double>(imageWidth) / cellWidth));
    return {0, (cellHeight - height) / 2, cellWidth, height};
}

int thumbnailAngle(int rotation)
{
    switch (rotation % 360) {
    case 90:
    case -270:
        return 90;
    case 180:
    case -180:
        return 180;
    case 270:
    case -90:
        return 270;
    default:
        return 0;
    }
}

PDFPageThumbMaker::PDFPageThumbMaker(const ZString& pdfPath) : m_pdfPath(pdfPath) {}

PDFPageThumbMaker::~PDFPageThumbMaker()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    m_abort.abort(); // the page being rendered now is not waited for
    join();
    for (ThumbRequest& done : m_finished)
        delete done.bitmap;
    m_finished.clear();
    for (const auto& [page, image] : m_pageImages)
        deleteFile(image, true);
}

void PDFPageThumbMaker::request(const ThumbRequest& request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_stopping)
        return;
    for (const ThumbRequest& queued : m_queue)
        if (queued.sameRequest(request))
            return;
    for (const ThumbRequest& done : m_finished)
        if (done.sameKey(request)) {
            // A page that could not be made is not tried again, nor told again:
            // a window asking on each paint would paint for ever.
            if (request.notify != nullptr && done.bitmap != nullptr)
                request.notify->thumbnailReady();
            return;
        }
    ThumbRequest queued = request;
    queued.bitmap = nullptr;
    m_queue.push_back(queued);
    if (!isRunning())
        start();
    m_wake.notify_one();
}

Gdiplus::Bitmap* PDFPageThumbMaker::bitmapFor(const ThumbRequest& request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (const ThumbRequest& done : m_finished)
        if (done.sameKey(request))
            return done.bitmap;
    return nullptr;
}

void PDFPageThumbMaker::withdraw(const ThumbRequest& request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (ThumbRequest& queued : m_queue)
        if (queued.sameRequest(request))
            queued.notify = nullptr;
}

void PDFPageThumbMaker::evict(const ThumbRequest& request)
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::erase_if(m_finished, [&](ThumbRequest& done) {
        if (!done.sameKey(request))
            return false;
        delete done.bitmap;
        return true;
    });
}

bool PDFPageThumbMaker::isPending(const ThumbRequest& request) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return std::any_of(m_queue.begin(), m_queue.end(), [&](const ThumbRequest& q) { return q.sameKey(request); });
}

int PDFPageThumbMaker::renderCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_renderCount;
}

// Waits for the next request that has not been withdrawn; false when stopping.
// Waiting on the condition variable under the lock means a request made while
// the worker goes idle is never missed.
bool PDFPageThumbMaker::takeNext(ThumbRequest& next)
{
    std::unique_lock<std::mutex> guard(m_lock);
    for (;;) {
        while (!m_queue.empty() && m_queue.front().notify == nullptr)
            m_queue.pop_front();
        if (m_stopping)
            return false;
        if (!m_queue.empty()) {
            next = m_queue.front(); // stays at the front while it is rendered
            return true;
        }
        m_wake.wait(guard);
    }
}

void PDFPageThumbMaker::run()
{
    ThumbRequest next;
    while (takeNext(next))
        finish([&] {
            ThumbRequest done = next;
            done.bitmap = render(next);
            return done;
        }());
}

namespace {

// Locked pixels of a bitmap, unlocked when it goes.
class LockedPixels {
public:
    LockedPixels(Gdiplus::Bitmap& bitmap, Gdiplus::ImageLockMode mode) : m_bitmap(bitmap)
    {
        const Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        m_locked = bitmap.LockBits(&all, mode, PixelFormat24bppRGB, &m_data) == Gdiplus::Ok;
    }
    ~LockedPixels()
    {
        if (m_locked)
            m_bitmap.UnlockBits(&m_data);
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;

    bool ok() const { return m_locked; }
    PixelRows rows() const
    {
        return {static_cast<uint8_t*>(m_data.Scan0), static_cast<int>(m_data.Width), static_cast<int>(m_data.Height),
                static_cast<ptrdiff_t>(m_data.Stride)};
    }

private:
    Gdiplus::Bitmap& m_bitmap;
    Gdiplus::BitmapData m_data = {};
    bool m_locked = false;
};

// A page image no larger than the cell, centred on white, unscaled.
Gdiplus::Bitmap* atNaturalSize(Gdiplus::Bitmap& image, const ThumbPlacement& place, int width, int height)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat24bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Graphics graphics(bitmap.get());
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(&image, place.x, place.y, place.width, place.height);
    return bitmap.release();
}

// A larger page image shrunk into its place on white by area averaging, on
// the decoded pixels: scaling by sampling would lose the page's hairlines.
Gdiplus::Bitmap* shrunk(Gdiplus::Bitmap& image, const ThumbPlacement& place, int width, int height)
{
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat24bppRGB);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        const LockedPixels source(image, Gdiplus::ImageLockModeRead);
        const LockedPixels target(*bitmap, Gdiplus::ImageLockModeWrite);
        if (!source.ok() || !target.ok())
            return nullptr;
        const PixelRows all = target.rows();
        for (int y = 0; y < all.height; ++y)
            std::memset(all.pixels + y * all.stride, 0xFF, static_cast<size_t>(all.width) * 3);
        const PixelRows placed = {all.pixels + place.y * all.stride + place.x * 3, place.width, place.height,
                                  all.stride};
        shrinkByAreaAverage(source.rows(), placed, 3);
    }
    return bitmap.release();
}

} // namespace

Gdiplus::Bitmap* PDFPageThumbMaker::render(const ThumbRequest& request)
{
    auto cached = m_pageImages.find(request.page);
    if (cached == m_pageImages.end() || !isFile(cached->second)) {
        if (m_abort.isAborted())
            return nullptr;
        const ZString image = makeTempFileName(kTempSubFolder, ZString(), L".jpg");
        deleteLater(image);
        renderPagesJpeg(m_pdfPath, image, static_cast<uint32_t>(request.page), static_cast<uint32_t>(request.page),
                        request.resolution, 95, &m_abort);
        {
            std::lock_guard<std::mutex> guard(m_lock);
            ++m_renderCount;
        }
        traceMark("render");
        if (!isFile(image))
            return nullptr;
        cached = m_pageImages.insert_or_assign(request.page, image).first;
    }
    if (request.width <= 0 || request.height <= 0)
        return nullptr;

    std::unique_ptr<Gdiplus::Bitmap> jpeg(Gdiplus::Bitmap::FromFile(cached->second.c_str()));
    if (!jpeg || jpeg->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const int imageWidth = static_cast<int>(jpeg->GetWidth());
    const int imageHeight = static_cast<int>(jpeg->GetHeight());
    const ThumbPlacement place = placeThumbnail(imageWidth, imageHeight, request.width, request.height);
    if (place.width == imageWidth && place.height == imageHeight)
        return atNaturalSize(*jpeg, place, request.width, request.height);
    return shrunk(*jpeg, place, request.width, request.height);
}

void PDFPageThumbMaker::finish(ThumbRequest done)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_stopping) {
        delete done.bitmap;
        return;
    }
    IPDFPageThumbMakerNotify* first = m_queue.empty() ? nullptr : m_queue.front().notify;
    if (!m_queue.empty())
        m_queue.pop_front();
    done.notify = nullptr;
    m_finished.push_back(done);
    if (first != nullptr)
        first->thumbnailReady();
    for (ThumbRequest& queued : m_queue)
        if (queued.sameKey(done) && queued.notify != nullptr) {
            queued.notify->thumbnailReady();
            queued.notify = nullptr;
        }
}

void drawThumbnail(Gdiplus::Bitmap* bitmap, HDC dc, const RECT& rect, int rotation)
{
    if (bitmap == nullptr || dc == nullptr)
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int shift = screenResolution() / 96;
    const int angle = thumbnailAngle(rotation);
    Gdiplus::Graphics graphics(dc);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    // Turn about the rectangle's centre; a quarter turn swaps the drawn sides.
    graphics.TranslateTransform(static_cast<Gdiplus::REAL>(rect.left + width / 2.0),
                                static_cast<Gdiplus::REAL>(rect.top + height / 2.0));
    graphics.RotateTransform(static_cast<Gdiplus::REAL>(angle));
    const bool quarter = angle == 90 || angle == 270;
    const int drawnWidth = quarter ? height : width;
    const int drawnHeight = quarter ? width : height;
    graphics.DrawImage(bitmap, static_cast<Gdiplus::REAL>(-drawnWidth / 2.0 - shift),
                       static_cast<Gdiplus::REAL>(-drawnHeight / 2.0 - shift), static_cast<Gdiplus::REAL>(drawnWidth),
                       static_cast<Gdiplus::REAL>(drawnHeight));
}

#include "explorer/Thumbnails_win.h"

#include "explorer/ExplorerItems.h"
#include "explorer/FileIcons_win.h"
#include "gui/Dpi.h"
#include "operations/ThumbMaker.h"

#include <gdiplus.h>

namespace {

const size_t kRunningAtOnce = 2;

// A device-independent bitmap of side x side filled white, selected into a
// memory device context while the holder lives.
class Canvas {
public:
    explicit Canvas(int side) : m_side(side)
    {
        m_dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = -side;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_dc != nullptr && m_bitmap != nullptr) {
            m_old = SelectObject(m_dc, m_bitmap);
            RECT all = {0, 0, side, side};
            FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
    }
    ~Canvas()
    {
        if (m_old != nullptr)
            SelectObject(m_dc, m_old);
        if (m_bitmap != nullptr)
            DeleteObject(m_bitmap);
        if (m_dc != nullptr)
            DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return m_dc; }
    bool ok() const { return m_old != nullptr; }
    // Adds the picture to the image list (the list copies it); its index or -1.
    int addTo(HIMAGELIST images)
    {
        SelectObject(m_dc, m_old);
        m_old = nullptr;
        return ImageList_Add(images, m_bitmap, nullptr);
    }

private:
    int m_side;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

} // namespace

struct FileThumbnails::Job : IPDFPageThumbMakerNotify {
    HWND window = nullptr;
    int index = 0;
    unsigned generation = 0;
    ZString path;
    ThumbRequest request;
    std::unique_ptr<PDFPageThumbMaker> maker;

    void thumbnailReady() override
    {
        // On the maker's thread, under its lock: only hand the news over.
        PostMessageW(window, kDeliveryMessage, static_cast<WPARAM>(index), static_cast<LPARAM>(generation));
    }
};

int thumbnailSide(int dpi) { return scale(120, dpi); }

FileThumbnails::FileThumbnails(IFileThumbnailsNotifyObj& client, HWND window, HIMAGELIST images, int side)
    : m_client(client), m_window(window), m_images(images), m_side(side)
{
}

FileThumbnails::~FileThumbnails() { cancel(); }

void FileThumbnails::cancel()
{
    ++m_generation;
    m_waiting.clear();
    m_running.clear(); // each maker stops its worker as it goes
}

int FileThumbnails::iconImage(const ZString& path, bool folder)
{
    const int icon = fileIconIndex(path, folder, IconSize::ExtraLarge);
    if (auto it = m_iconImages.find(icon); it != m_iconImages.end())
        return it->second;
    Canvas canvas(m_side);
    int image = -1;
    if (canvas.ok()) {
        HIMAGELIST system = systemImageList(IconSize::ExtraLarge);
        int width = 0, height = 0;
        ImageList_GetIconSize(system, &width, &height);
        if (icon >= 0)
            ImageList_Draw(system, icon, canvas.dc(), (m_side - width) / 2, (m_side - height) / 2, ILD_TRANSPARENT);
        image = canvas.addTo(m_images);
    }
    m_iconImages[icon] = image;
    return image;
}

int FileThumbnails::imageFor(int index, const ZString& path, bool folder)
{
    if (folder || !fileExtension(path).equalsIgnoreCase(L"pdf"))
        return iconImage(path, folder);
    ZString key = path;
    key.toLower();
    if (auto it = m_thumbnailImages.find(key); it != m_thumbnailImages.end())
        return it->second;
    if (m_running.count(index) == 0) {
        bool waiting = false;
        for (const auto& job : m_waiting)
            waiting = waiting || job->index == index;
        if (!waiting) {
            auto job = std::make_unique<Job>();
            job->window = m_window;
            job->index = index;
            job->generation = m_generation;
            job->path = path;
            m_waiting.push_back(std::move(job));
            startWaiting();
        }
    }
    return iconImage(path, false);
}

void FileThumbnails::startWaiting()
{
    while (m_running.size() < kRunningAtOnce && !m_waiting.empty()) {
        std::unique_ptr<Job> job = std::move(m_waiting.front());
        m_waiting.pop_front();
        if (m_running.count(job->index) != 0)
            continue;
        job->maker = std::make_unique<PDFPageThumbMaker>(job->path);
        job->request.width = m_side;
        job->request.height = m_side;
        job->request.resolution = 96;
        job->request.page = 1;
        job->request.notify = job.get();
        Job& started = *job;
        m_running[job->index] = std::move(job);
        started.maker->request(started.request);
    }
}

void FileThumbnails::deliver(WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(wParam);
    if (static_cast<unsigned>(lParam) != m_generation)
        return;
    auto it = m_running.find(index);
    if (it == m_running.end())
        return;
    std::unique_ptr<Job> job = std::move(it->second);
    m_running.erase(it);
    Gdiplus::Bitmap* bitmap = job->maker->bitmapFor(job->request);
    ZString key = job->path;
    key.toLower();
    m_thumbnailImages[key] = iconImage(job->path, false); // a file that cannot be shown keeps its icon
    if (bitmap != nullptr) {
        Canvas canvas(m_side);
        if (canvas.ok()) {
            const ThumbPlacement place = placeThumbnail(static_cast<int>(bitmap->GetWidth()),
                                                        static_cast<int>(bitmap->GetHeight()), m_side, m_side);
            const RECT cell = {place.x, place.y, place.x + place.width, place.y + place.height};
            drawThumbnail(bitmap, canvas.dc(), cell, 0);
            const int image = canvas.addTo(m_images);
            if (image >= 0)
                m_thumbnailImages[key] = image;
        }
    }
    job.reset(); // the maker's worker ends here, on the GUI thread
    m_client.thumbnailReady(index);
    startWaiting();
}

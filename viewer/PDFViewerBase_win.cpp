#include "viewer/PDFViewerBase.h"

#include "base/Files.h"
#include "gui/Dpi.h"
#include "gui/GdiplusSession.h"
#include "operations/ChildProcess.h"
#include "operations/Ghostscript.h"
#include "viewer/ImageExport.h"
#include "viewer/PageImageDecoder.h"
#include "gui/PaintBuffer.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// From the render thread to the window (the window does its own timer,
// scroll bars and notifications on its thread).
constexpr UINT kMsgLoading = WM_APP + 1;
constexpr UINT kMsgPageLoaded = WM_APP + 2;
constexpr UINT kMsgIdle = WM_APP + 3;
constexpr UINT_PTR kWaitTimer = 1;
// After the last zoom change, the quickly scaled page is scaled again with
// interpolation.
constexpr UINT_PTR kSettleTimer = 2;
constexpr UINT kSettleDelay = 250;
constexpr COLORREF kBackground = 0x292929;
constexpr UINT kDpiChangedAfterParent = 0x02E3; // WM_DPICHANGED_AFTERPARENT

void turn(Gdiplus::Bitmap& image, int quarterTurnsClockwise)
{
    static const Gdiplus::RotateFlipType kTurns[] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                     Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
    if (quarterTurnsClockwise > 0 && quarterTurnsClockwise < 4)
        image.RotateFlip(kTurns[quarterTurnsClockwise]);
}

} // namespace

PDFViewerBase::PDFViewerBase(const ZString& path, int pageCount, const ZString& displayName, int outputFlags)
    : m_path(path), m_displayName(displayName), m_pageCount(pageCount), m_outputFlags(outputFlags),
      m_gdiplus(std::make_unique<GdiplusSession>())
{
    HINSTANCE module = GetModuleHandleW(nullptr);
    create(0, L"static", L"", WS_POPUP | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS | SS_NOTIFY, 0, 0, 400, 400,
           nullptr, nullptr, module);
    m_model.setDpi(dpiOf(hwnd()));
    layout();
    // The thread starts idle: it waits until a page is requested.
    m_thread = std::thread([this] { renderLoop(); });
}

PDFViewerBase::~PDFViewerBase()
{
    {
        std::lock_guard<StateMutex> guard(m_stateLock);
        m_stopping = true;
        if (m_runAbort)
            m_runAbort->abort();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (HWND window = hwnd()) {
        KillTimer(window, kWaitTimer);
        KillTimer(window, kSettleTimer);
        releaseHandle();
        DestroyWindow(window);
    }
    m_aheadImage.reset();
    std::lock_guard<std::mutex> guard(m_imageLock);
    m_image.reset();
}

void PDFViewerBase::showPage(int page)
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    m_requested = page;
    m_nextPage = 0;
    // A page rendered ahead is given up when another new page is asked for.
    if (m_runIsAhead && m_running != page && page != m_displayed && m_runAbort)
        m_runAbort->abort();
    m_wake.notify_all();
}

void PDFViewerBase::setNextPage(int page)
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    m_nextPage = page;
    m_wake.notify_all();
}

int PDFViewerBase::pageToPrepare() const
{
    const int page = m_nextPage > 0 ? m_nextPage : (m_nextPage == 0 && m_displayed > 0 ? m_displayed + 1 : 0);
    if (page < 1 || page > m_pageCount || page == m_displayed || page == m_lastAhead || page == m_aheadPage)
        return 0;
    return page;
}

int PDFViewerBase::currentPage() const
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    return m_requested;
}

int PDFViewerBase::displayedPage() const
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    return m_displayed;
}

int PDFViewerBase::renderCount() const
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    return m_renderCount;
}

int PDFViewerBase::reducedFirstLooks() const
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    return m_reducedFirstLooks;
}

bool PDFViewerBase::isIdle() const
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    return m_idle;
}

bool PDFViewerBase::isPageCached(int page) const { return m_cache.contains(page); }

void PDFViewerBase::renderLoop()
{
    std::unique_lock<StateMutex> state(m_stateLock);
    for (;;) {
        if (m_stopping)
            return;
        if (m_requested == m_displayed) {
            // Nothing to show: stop the waiting indication, make the next
            // page ready once, then wait for a request.
            post(kMsgIdle);
            if (HWND window = hwnd())
                InvalidateRect(window, nullptr, FALSE);
            if (m_displayedReduced) {
                // The full picture of the page shown, for zooming in, saving and exporting.
                m_displayedReduced = false;
                const ZString file = m_cache.find(m_displayed);
                state.unlock();
                std::unique_ptr<Gdiplus::Bitmap> full = decodePageImageFile(file);
                if (full)
                    showImage(std::move(full));
                state.lock();
                continue;
            }
            if (const int ahead = pageToPrepare()) {
                m_lastAhead = ahead;
                prepareAhead(state, ahead);
                continue;
            }
            m_idle = true;
            m_wake.wait(state,
                        [this] { return m_stopping || m_requested != m_displayed || pageToPrepare() != 0; });
            m_idle = false;
            continue;
        }
        const int page = m_requested;
        post(kMsgLoading);
        std::unique_ptr<Gdiplus::Bitmap> image;
        if (page == m_aheadPage)
            image = std::move(m_aheadImage);
        m_aheadImage.reset();
        m_aheadPage = 0;
        ZString file;
        ReducedPageImage first;
        if (!image && page > 0 && isFile(m_path)) {
            // A reduced picture of the size shown first is made in a fraction
            // of the time of the full one, which follows once nothing else
            // is asked for.
            file = m_cache.find(page);
            if (file.isEmpty()) {
                RenderedPage rendered = renderPage(state, page, false);
                file = rendered.file;
                first = std::move(rendered.reduced);
            }
            state.unlock();
            if (!first.image)
                first = decodeReducedPageImage(file, [this](int width, int height) { return firstLookScale(width, height); });
            if (!first.image)
                image = decodePageImageFile(file);
            state.lock();
        }
        if (m_stopping)
            return;
        m_displayedReduced = first.image != nullptr;
        if (first.image)
            ++m_reducedFirstLooks;
        state.unlock();
        if (first.image)
            showImage(std::move(first.image), true, first.fullWidth, first.fullHeight);
        else
            showImage(std::move(image));
        state.lock();
        m_displayed = page;
        if (page == m_requested)
            m_lastAhead = 0;
        post(kMsgPageLoaded);
        if (HWND window = hwnd())
            InvalidateRect(window, nullptr, FALSE);
    }
}

// The page after the one shown: rendered into the cache when missing and
// decoded, so that paging forward only swaps images. Given up when another
// page is asked for meanwhile.
void PDFViewerBase::prepareAhead(std::unique_lock<StateMutex>& state, int page)
{
    const auto wanted = [&] { return !m_stopping && (m_requested == m_displayed || m_requested == page); };
    std::unique_ptr<Gdiplus::Bitmap> image;
    const ZString cached = m_cache.find(page);
    if (cached.isEmpty()) {
        image = std::move(renderPage(state, page, true).image);
    } else if (wanted()) {
        state.unlock();
        image = decodePageImageFile(cached);
        state.lock();
    }
    if (image && wanted()) {
        m_aheadImage = std::move(image);
        m_aheadPage = page;
    }
}

// Called and returning with the state lock held; the interpreter runs without
// it. The page's image file goes into the cache.
RenderedPage PDFViewerBase::renderPage(std::unique_lock<StateMutex>& state, int page, bool ahead)
{
    m_runAbort = std::make_unique<AbortControl>();
    m_running = page;
    m_runIsAhead = ahead;
    AbortControl* control = m_runAbort.get();
    ++m_renderCount;
    state.unlock();
    // A page rendered ahead is decoded while it is written; a requested one
    // gets its reduced first picture while the interpreter ends.
    const auto scaleFor = [this](int width, int height) { return firstLookScale(width, height); };
    RenderedPage rendered = renderPageImage(m_path, page, kResolution, (m_outputFlags & kTiffOutput) != 0, ahead,
                                            control, ahead ? std::function<int(int, int)>() : scaleFor);
    if (!control->isAborted() && isFile(rendered.file)) {
        m_cache.add(page, rendered.file);
    } else {
        if (!rendered.file.isEmpty())
            deleteFile(rendered.file, true);
        rendered.file = ZString();
        rendered.image.reset();
        rendered.reduced = {};
    }
    state.lock();
    m_running = 0;
    m_runIsAhead = false;
    m_runAbort.reset();
    return rendered;
}

int PDFViewerBase::firstLookScale(int width, int height) const
{
    ViewerModel model;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        model = m_model;
        if (quarterTurns(m_rotation) % 2 != 0)
            std::swap(width, height);
    }
    model.setImageSize(width, height);
    // The first page is shown at the fit that sets the first zoom.
    const double zoom = model.zoom() > 0 ? model.zoom() : model.fitPageFactor();
    if (zoom <= 0)
        return 1;
    for (const int scale : {8, 4, 2})
        if (scale * zoom <= 1)
            return scale;
    return 1;
}

void PDFViewerBase::showImage(std::unique_ptr<Gdiplus::Bitmap> image, bool reduced, int fullWidth, int fullHeight)
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    m_image = std::move(image);
    ++m_imageGeneration;
    m_imageReduced = m_image && reduced;
    if (m_image) {
        const int turns = quarterTurns(m_rotation);
        turn(*m_image, turns);
        if (!m_imageReduced) {
            fullWidth = static_cast<int>(m_image->GetWidth());
            fullHeight = static_cast<int>(m_image->GetHeight());
        } else if (turns % 2 != 0) {
            std::swap(fullWidth, fullHeight);
        }
        m_model.setImageSize(fullWidth, fullHeight);
    } else {
        m_model.setImageSize(0, 0);
    }
}

SIZE PDFViewerBase::imageSize() const
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    if (!m_image)
        return {0, 0};
    return {m_model.imageWidth(), m_model.imageHeight()};
}

unsigned PDFViewerBase::pixelOfImage(int x, int y) const
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    Gdiplus::Color color;
    if (!m_image || m_model.imageWidth() <= 0 || m_model.imageHeight() <= 0)
        return 0;
    // A reduced picture is read at the same place of the page.
    const auto at = [](int v, UINT reduced, int full) {
        return static_cast<INT>(static_cast<long long>(v) * static_cast<long long>(reduced) / full);
    };
    if (m_image->GetPixel(at(x, m_image->GetWidth(), m_model.imageWidth()),
                          at(y, m_image->GetHeight(), m_model.imageHeight()), &color) != Gdiplus::Ok)
        return 0;
    return color.GetValue() & 0xFFFFFF;
}

bool PDFViewerBase::isImageReduced() const
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    return m_imageReduced;
}

POINT PDFViewerBase::cursorInClient() const
{
    POINT p = {};
    GetCursorPos(&p);
    ScreenToClient(hwnd(), &p);
    const RECT client = clientRect();
    p.x = std::clamp<LONG>(p.x, 0, client.right);
    p.y = std::clamp<LONG>(p.y, 0, client.bottom);
    return p;
}

void PDFViewerBase::setZoom(double factor)
{
    const POINT cursor = cursorInClient();
    bool changed;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        changed = m_model.setZoom(factor, cursor.x, cursor.y);
    }
    if (changed) {
        m_quickScale = true;
        SetTimer(hwnd(), kSettleTimer, kSettleDelay, nullptr);
        updateScrollBars();
        invalidate();
    }
}

double PDFViewerBase::zoom() const
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    return m_model.zoom();
}

void PDFViewerBase::zoomBy(double factor)
{
    const double current = zoom();
    if (current > 0)
        setZoom(current * factor);
}

void PDFViewerBase::fitWidth()
{
    double factor;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        factor = m_model.fitWidthFactor();
    }
    setZoom(factor);
}

void PDFViewerBase::fitHeight()
{
    double factor;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        factor = m_model.fitHeightFactor();
    }
    setZoom(factor);
}

void PDFViewerBase::fitPage()
{
    double factor;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        factor = m_model.fitPageFactor();
    }
    if (factor > 0)
        setZoom(factor);
}

void PDFViewerBase::rotate(int delta)
{
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        m_rotation = nextRotation(m_rotation, delta);
        if (m_image) {
            const int turns = quarterTurns(delta);
            turn(*m_image, turns);
            ++m_imageGeneration;
            if (turns % 2 != 0)
                m_model.setImageSize(m_model.imageHeight(), m_model.imageWidth());
        }
    }
    layout();
    invalidate();
}

int PDFViewerBase::rotation() const
{
    std::lock_guard<std::mutex> guard(m_imageLock);
    return m_rotation;
}

void PDFViewerBase::saveImage()
{
    int page;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        if (!m_image)
            return;
    }
    page = displayedPage();
    const ZString suggested =
        m_displayName.isEmpty() ? ZString() : ZString::format(L"%ls_%d", m_displayName.c_str(), page);
    const ZString chosen = askImageFileName(hwnd(), suggested);
    if (!chosen.isEmpty())
        saveImageAs(chosen);
}

bool PDFViewerBase::saveImageAs(const ZString& path)
{
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        if (!m_imageReduced)
            return m_image && saveImageByExtension(*m_image, path);
    }
    // Only the first, reduced picture is there yet: the full one from the
    // page's image file, with the rotation.
    std::unique_ptr<Gdiplus::Bitmap> full = decodePageImageFile(m_cache.find(displayedPage()));
    if (!full)
        return false;
    turn(*full, quarterTurns(rotation()));
    return saveImageByExtension(*full, path);
}

void PDFViewerBase::attach(HWND frame, int id)
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    HWND window = hwnd();
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(0xC0000000)) | WS_CHILD);
    SetParent(window, frame);
    SetWindowLongPtrW(window, GWLP_ID, id);
}

void PDFViewerBase::detach()
{
    std::lock_guard<StateMutex> guard(m_stateLock);
    HWND window = hwnd();
    ShowWindow(window, SW_HIDE);
    SetParent(window, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
    SetWindowLongPtrW(window, GWLP_ID, 0);
}

void PDFViewerBase::layout()
{
    const RECT client = clientRect();
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        m_model.setClientSize(client.right, client.bottom);
    }
    updateScrollBars();
}

void PDFViewerBase::updateScrollBars()
{
    ViewerScrollRange h, v;
    int x, y;
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        h = m_model.horizontalRange();
        v = m_model.verticalRange();
        x = m_model.scrollX();
        y = m_model.scrollY();
    }
    // Ranges in units; the page is part of the range as the system counts it.
    // Both bars stay (disabled when there is nothing to scroll), so the client
    // area keeps its size.
    const auto set = [this](int bar, const ViewerScrollRange& r, int position) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = r.maximum > 0 ? r.maximum + std::max(r.page, 1) - 1 : 0;
        info.nPage = r.maximum > 0 ? static_cast<UINT>(std::max(r.page, 1)) : 0;
        info.nPos = position;
        SetScrollInfo(hwnd(), bar, &info, TRUE);
    };
    set(SB_HORZ, h, x);
    set(SB_VERT, v, y);
}

void PDFViewerBase::onScroll(int bar, int request, int thumb)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd(), bar, &info);
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        const int current = bar == SB_HORZ ? m_model.scrollX() : m_model.scrollY();
        const int maximum = bar == SB_HORZ ? m_model.horizontalRange().maximum : m_model.verticalRange().maximum;
        int position = current;
        switch (request) {
        case SB_LINEUP:
        case SB_PAGEUP:
            position = current - 1;
            break;
        case SB_LINEDOWN:
        case SB_PAGEDOWN:
            position = current + 1;
            break;
        case SB_THUMBPOSITION:
            position = thumb;
            break;
        case SB_THUMBTRACK:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = maximum;
            break;
        default:
            return;
        }
        if (bar == SB_HORZ)
            m_model.scrollTo(position, m_model.scrollY());
        else
            m_model.scrollTo(m_model.scrollX(), position);
    }
    updateScrollBars();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE);
}

void PDFViewerBase::notifyParent(UINT code)
{
    HWND window = hwnd();
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
        return;
    HWND parent = GetParent(window);
    if (parent == nullptr)
        return;
    NMHDR header = {};
    header.hwndFrom = window;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window));
    header.code = code;
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void PDFViewerBase::paint(HDC target)
{
    const RECT client = clientRect();
    if (client.right <= 0 || client.bottom <= 0)
        return;
    const PaintBuffer buffer(target, client.right, client.bottom);
    HDC dc = buffer.dc();
    const int dpi = dpiOf(hwnd());
    {
        std::lock_guard<std::mutex> guard(m_imageLock);
        const ScaledPage::Source source = {m_image.get(),         m_imageGeneration, m_model.imageWidth(),
                                           m_model.imageHeight(), m_model.zoom(),    dpi};
        const int unit = m_model.scrollUnit();
        m_scaled.paint(dc, source, m_model.scrollX() * unit, m_model.scrollY() * unit, client.right, client.bottom,
                       kBackground, m_quickScale);
    }
    if (m_waiting) {
        // Eight dots on a ring in the middle; the bright one goes round.
        Gdiplus::Graphics g(dc);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        const float radius = static_cast<float>(scale(18, dpi));
        const float dot = static_cast<float>(scale(6, dpi));
        const float cx = client.right / 2.0f, cy = client.bottom / 2.0f;
        for (int i = 0; i < 8; ++i) {
            const double angle = i * 3.14159265358979 / 4;
            const BYTE level = i == m_waitTick % 8 ? 255 : 110;
            Gdiplus::SolidBrush brush(Gdiplus::Color(255, level, level, level));
            g.FillEllipse(&brush, cx + radius * static_cast<float>(std::cos(angle)) - dot / 2,
                          cy + radius * static_cast<float>(std::sin(angle)) - dot / 2, dot, dot);
        }
    }
    buffer.copyTo(target, client);
}

LRESULT PDFViewerBase::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kMsgLoading:
        m_waiting = true;
        SetTimer(hwnd(), kWaitTimer, 100, nullptr);
        return 0;
    case kMsgIdle:
        if (m_waiting) {
            m_waiting = false;
            KillTimer(hwnd(), kWaitTimer);
        }
        invalidate();
        return 0;
    case kMsgPageLoaded:
        // The first page sets the first zoom.
        if (zoom() < 0)
            fitPage();
        layout();
        invalidate();
        notifyParent(kPageLoaded);
        return 0;
    case WM_TIMER:
        if (wParam == kSettleTimer) {
            KillTimer(hwnd(), kSettleTimer);
            m_quickScale = false;
            if (m_scaled.quick())
                invalidate();
            return 0;
        }
        if (wParam == kWaitTimer) {
            ++m_waitTick;
            invalidate();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        notifyParent(kViewChanged);
        return 0;
    }
    case WM_SIZE:
        layout();
        invalidate();
        return 0;
    case kDpiChangedAfterParent: {
        std::lock_guard<std::mutex> guard(m_imageLock);
        m_model.setDpi(dpiOf(hwnd()));
        break;
    }
    case WM_HSCROLL:
        onScroll(SB_HORZ, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_VSCROLL:
        onScroll(SB_VERT, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return 0;
    case WM_MOUSEWHEEL: {
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0) {
            if (delta >= 1)
                zoomBy(ViewerModel::kZoomInFactor);
            else if (delta < 0)
                zoomBy(ViewerModel::kZoomOutFactor);
        } else if (delta > 0) {
            onScroll(SB_VERT, SB_LINEUP, 0);
        } else if (delta < 0) {
            onScroll(SB_VERT, SB_LINEDOWN, 0);
        }
        return 0;
    }
    case WM_NCHITTEST:
        // The static control is transparent to the mouse; the page display is not.
        return DefWindowProcW(hwnd(), message, wParam, lParam);
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        SetCapture(hwnd());
        m_panning = true;
        m_panFrom = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return 0;
    case WM_MOUSEMOVE: {
        if (GetFocus() != hwnd())
            SetFocus(hwnd());
        if (!m_panning)
            return 0;
        const int unit = m_model.scrollUnit();
        const int dx = (m_panFrom.x - GET_X_LPARAM(lParam)) / unit;
        const int dy = (m_panFrom.y - GET_Y_LPARAM(lParam)) / unit;
        int x, y;
        {
            std::lock_guard<std::mutex> guard(m_imageLock);
            x = m_model.scrollX() + dx;
            y = m_model.scrollY() + dy;
        }
        if (dx != 0) {
            send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(0, x)));
            m_panFrom.x -= dx * unit;
        }
        if (dy != 0) {
            send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(0, y)));
            m_panFrom.y -= dy * unit;
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (m_panning) {
            m_panning = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_panning = false;
        return 0;
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}

// The page display: one page of a PDF file at a time, rendered by the
// interpreter on the display's own render thread and shown with zoom,
// rotation, scroll bars and panning; the shown page can be saved as an image.
//
// One display per source file (PdfSource::viewer). It is created hidden as a
// parentless pop-up; a viewer frame attaches it as its child and detaches it
// again when it shows another file. It tells its parent through WM_NOTIFY:
// code kPageLoaded once a requested page is shown, kViewChanged after every paint.
#pragma once

#include "base/ZString.h"
#include "gui/BaseWindow.h"
#include "viewer/PageImageCache.h"
#include "viewer/PageImageDecoder.h"
#include "viewer/ScaledPage.h"
#include "viewer/ViewerModel.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace Gdiplus {
class Bitmap;
}
class AbortControl;
class GdiplusSession;

class PDFViewerBase : public BaseWindow {
    // Attaching holds the state lock while the system sends the window
    // messages, whose handlers may ask for the current page.
    using StateMutex = std::recursive_mutex;

public:
    static constexpr UINT kPageLoaded = 1;
    static constexpr UINT kViewChanged = 2;
    static constexpr int kResolution = 300;
    static constexpr int kTiffOutput = 0x4; // output flags: render pages as TIFF G4

    // Creates the hidden window and the idle render thread.
    PDFViewerBase(const ZString& path, int pageCount, const ZString& displayName = ZString(), int outputFlags = 0);
    // Stops the render thread, destroys the window and deletes the rendered page images.
    ~PDFViewerBase() override;

    const ZString& path() const { return m_path; }
    const ZString& displayName() const { return m_displayName; }
    int pageCount() const { return m_pageCount; }

    // Requests the page; the render thread loads it unless it is shown already.
    void showPage(int page);
    // The page likely asked for next, which the idle render thread makes ready
    // ahead: 0 (again after every request) for the page after the shown one,
    // -1 for none. A viewer walking a job names the job's next page here, in
    // whichever file's display it lies.
    void setNextPage(int page);
    // The requested page (0 before the first request).
    int currentPage() const;
    int displayedPage() const;

    // Zoom and fits keep the page point under the mouse cursor in place.
    void setZoom(double factor);
    double zoom() const;
    void zoomBy(double factor);
    void fitWidth();
    void fitHeight();
    void fitPage();
    void rotate(int delta);
    int rotation() const;

    // Asks for a file name and saves the shown page there.
    void saveImage();
    // Saves the shown page (with its rotation) with the encoder its lower-cased
    // extension names: jpg, png, bmp, tiff, gif. False and nothing written for
    // other extensions or without a page image.
    bool saveImageAs(const ZString& path);

    // Makes the display a child of the frame with the given control id, or a
    // parentless pop-up again.
    void attach(HWND frame, int id);
    void detach();

    const ViewerModel& model() const { return m_model; }
    // The size of the page image (after rotation); 0 x 0 without one.
    SIZE imageSize() const;
    // A copy of a pixel of the page image (0x00RRGGBB), for checks.
    unsigned pixelOfImage(int x, int y) const;
    // Whether the page is shown from its reduced first picture, before the
    // full one has replaced it.
    bool isImageReduced() const;

    // For tests and the benchmark: pages rendered by the interpreter so far;
    // whether the thread waits for a request; pages rendered ahead.
    int renderCount() const;
    // Pages shown first from a reduced picture.
    int reducedFirstLooks() const;
    bool isIdle() const;
    bool isPageCached(int page) const;
    // The part of the scaled page kept for repainting (window thread), and how
    // often it was made.
    RECT scaledPart() const { return m_scaled.kept(); }
    int scaledPartsMade() const { return m_scaled.made(); }
    // Whether the page is shown as scaled with interpolation, not the quick
    // picture shown while the zoom changes.
    bool isScaledPageSettled() const { return !m_quickScale && !m_scaled.quick(); }
    std::map<int, ZString> cachedFiles() const { return m_cache.files(); }

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void renderLoop();
    RenderedPage renderPage(std::unique_lock<StateMutex>& state, int page, bool ahead);
    void prepareAhead(std::unique_lock<StateMutex>& state, int page);
    // The page to make ready ahead now, 0 for none; with the state lock.
    int pageToPrepare() const;
    // The reduction worth making for the first picture of a page of that size
    // at the zoom it will be shown with: 2, 4 or 8, or 1 for none.
    int firstLookScale(int width, int height) const;
    // Takes the decoded page image, turned by the current rotation; a reduced
    // one stands for a page image of the full size given.
    void showImage(std::unique_ptr<Gdiplus::Bitmap> image, bool reduced = false, int fullWidth = 0, int fullHeight = 0);
    void layout();
    void updateScrollBars();
    POINT cursorInClient() const;
    void paint(HDC dc);
    void onScroll(int bar, int request, int thumb);
    void notifyParent(UINT code);

    ZString m_path;
    ZString m_displayName;
    int m_pageCount;
    int m_outputFlags;
    std::unique_ptr<GdiplusSession> m_gdiplus;

    // The state lock: requests, the thread's state, invalidation, attach and detach.
    mutable StateMutex m_stateLock;
    std::condition_variable_any m_wake;
    int m_requested = 0;
    int m_displayed = 0;
    bool m_idle = false;
    bool m_stopping = false;
    int m_renderCount = 0;
    int m_reducedFirstLooks = 0;
    int m_running = 0;         // the page the interpreter renders now, 0 when none
    bool m_runIsAhead = false; // ... rendered ahead of a request, given up when another page is asked for
    std::unique_ptr<AbortControl> m_runAbort;
    std::unique_ptr<Gdiplus::Bitmap> m_aheadImage; // the next page, decoded; render thread only
    int m_aheadPage = 0;
    bool m_displayedReduced = false; // the page is shown from its reduced picture so far
    int m_nextPage = 0;              // see setNextPage
    int m_lastAhead = 0;             // the page last made ready ahead since the last page was shown

    // The image lock: the page image, its rotation and the geometry (the
    // model's image size is the full page image's, also while a reduced one is shown).
    mutable std::mutex m_imageLock;
    std::unique_ptr<Gdiplus::Bitmap> m_image;
    bool m_imageReduced = false;
    unsigned m_imageGeneration = 0; // counts the changes of the page image's pixels
    int m_rotation = 0;
    ViewerModel m_model;

    // The page at the zoom shown, for repainting (window thread; made under the image lock).
    ScaledPage m_scaled;
    bool m_quickScale = false; // the zoom changed lately: scaled without interpolation for now

    PageImageCache m_cache;
    bool m_waiting = false; // timer 1 runs: a page is being loaded
    int m_waitTick = 0;
    bool m_panning = false;
    POINT m_panFrom = {};
    std::thread m_thread;
};

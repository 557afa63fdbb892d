// Page thumbnails of one PDF file, rendered on the maker's own worker thread.
//
// A window asks for a page at a size (request); the worker renders the page
// once to a JPEG with the interpreter, scales it into a white bitmap of the
// asked size and tells every asker of that page and size (thumbnailReady).
// Finished bitmaps are kept until evicted (operations/ThumbBudget.h) or the
// maker goes, and handed out by bitmapFor.
//
// thumbnailReady is called while the maker's lock is held, on the worker
// thread or on the asking thread: implementations only post a message to
// their window (nothing that waits for another thread) and must not call
// back into the maker.
#pragma once

#include "base/Thread.h"
#include "operations/ChildProcess.h"
#include "base/ZString.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

namespace Gdiplus {
class Bitmap;
}
struct HDC__;
struct tagRECT;

class IPDFPageThumbMakerNotify {
public:
    virtual void thumbnailReady() = 0;

protected:
    ~IPDFPageThumbMakerNotify() = default;
};

struct ThumbRequest {
    int width = 0;
    int height = 0;
    int resolution = 0;
    int page = -1; // from 1; negative: no request
    IPDFPageThumbMakerNotify* notify = nullptr; // none: withdrawn
    Gdiplus::Bitmap* bitmap = nullptr;          // the result, owned by the maker

    bool sameKey(const ThumbRequest& o) const
    {
        return page == o.page && width == o.width && height == o.height && resolution == o.resolution;
    }
    bool sameRequest(const ThumbRequest& o) const { return sameKey(o) && notify == o.notify; }
};

class PDFPageThumbMaker : public Thread {
public:
    explicit PDFPageThumbMaker(const ZString& pdfPath);
    // Stops the worker, frees the bitmaps and deletes the page images.
    ~PDFPageThumbMaker() override;

    // Queues the request. The same request already waiting is not queued
    // again; a key already made is told ready at once, one that failed is
    // not tried again.
    void request(const ThumbRequest& request);
    // The bitmap of the first finished request with the same key, or none.
    Gdiplus::Bitmap* bitmapFor(const ThumbRequest& request);
    // Queued requests that are the same request are skipped by the worker.
    void withdraw(const ThumbRequest& request);
    // Frees the finished bitmap of the request's key (one shown long ago);
    // asking again makes it anew from the page's kept image. Call it from the
    // thread that draws the bitmaps, as bitmapFor's results die with it.
    void evict(const ThumbRequest& request);
    // Whether a request of the key waits or is being rendered.
    bool isPending(const ThumbRequest& request) const;

    // How many pages the worker has rendered with the interpreter (for tests
    // and diagnostics).
    int renderCount() const;

    void run() override;

private:
    bool takeNext(ThumbRequest& next);
    Gdiplus::Bitmap* render(const ThumbRequest& request);
    void finish(ThumbRequest done);

    ZString m_pdfPath;
    std::map<int, ZString> m_pageImages; // page -> rendered JPEG; worker only
    int m_renderCount = 0;

    mutable std::mutex m_lock; // guards the lists, the wake flag and stopping
    std::condition_variable m_wake;
    bool m_stopping = false;
    AbortControl m_abort; // ends the page being rendered when the maker goes
    std::deque<ThumbRequest> m_queue; // the front is the one being rendered
    std::vector<ThumbRequest> m_finished;
};

// Draws a finished thumbnail into rect, turned by rotation degrees (reduced
// modulo 360 with its sign; 90 and -270, 180 and -180, 270 and -90 turn, any
// other value does not), stretched to the rectangle.
void drawThumbnail(Gdiplus::Bitmap* bitmap, HDC__* dc, const tagRECT& rect, int rotation);

// The angle drawThumbnail turns by for a rotation: 0, 90, 180 or 270.
int thumbnailAngle(int rotation);

// Scales an image of imageWidth x imageHeight into a cell: at its natural size
// centred when it fits, else fitted with its aspect ratio kept and centred.
struct ThumbPlacement {
    int x, y, width, height;
};
ThumbPlacement placeThumbnail(int imageWidth, int imageHeight, int cellWidth, int cellHeight);

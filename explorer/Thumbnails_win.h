// The explorer's preview pictures: the first page of each PDF file, rendered
// by the program's own thumbnail maker a few files at a time and delivered
// item by item on the GUI thread; any other entry shows its extra-large system
// icon centred in the cell.
#pragma once

#include "base/ZString.h"

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <map>
#include <memory>
#include <unordered_map>

// Told on the GUI thread when an item's icon or thumbnail has arrived.
class IFileIconsNotifyObj {
public:
    virtual void iconReady(int index) = 0;

protected:
    ~IFileIconsNotifyObj() = default;
};

class IFileThumbnailsNotifyObj {
public:
    virtual void thumbnailReady(int index) = 0;

protected:
    ~IFileThumbnailsNotifyObj() = default;
};

// The side of a square preview cell's picture at a resolution.
int thumbnailSide(int dpi);

class FileThumbnails {
public:
    // window: receives kDeliveryMessage (its procedure calls deliver);
    // images: the list the pictures go into, owned by the caller.
    FileThumbnails(IFileThumbnailsNotifyObj& client, HWND window, HIMAGELIST images, int side);
    ~FileThumbnails();
    FileThumbnails(const FileThumbnails&) = delete;
    FileThumbnails& operator=(const FileThumbnails&) = delete;

    static constexpr UINT kDeliveryMessage = WM_APP + 162;

    // The picture for the item now: its thumbnail when ready, else its icon
    // (a PDF's thumbnail is asked for and arrives later).
    int imageFor(int index, const ZString& path, bool folder);
    // Drops the work not yet done (a new folder is loading).
    void cancel();
    // kDeliveryMessage's parameters.
    void deliver(WPARAM wParam, LPARAM lParam);

private:
    struct Job;
    int iconImage(const ZString& path, bool folder);
    void startWaiting();

    IFileThumbnailsNotifyObj& m_client;
    HWND m_window;
    HIMAGELIST m_images;
    int m_side;
    unsigned m_generation = 0;
    std::map<int, int> m_iconImages;                    // system icon -> our image
    std::unordered_map<ZString, int> m_thumbnailImages; // PDF path (lower case) -> our image
    std::deque<std::unique_ptr<Job>> m_waiting;
    std::map<int, std::unique_ptr<Job>> m_running;      // by item index
    int m_nextJobId = 0;
};

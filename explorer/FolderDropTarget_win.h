// The drop targets of the explorer's list and tree: files dropped there go
// into the folder item under the pointer, or into the shown folder when the
// pointer is over no folder item. The window answers the target's questions
// through FolderDropSite.
#pragma once

#include "base/ZString.h"
#include "explorer/FileDropTarget_win.h"

#include <vector>

namespace ole {

// What the list or tree window does for its drop target. Points are in screen
// coordinates.
class FolderDropSite {
public:
    // The folder of the folder item under the point; empty over anything else.
    virtual ZString folderAt(POINT screenPoint) = 0;
    // Highlights the folder item under the point (none when there is none).
    virtual void highlightFolderAt(POINT screenPoint) = 0;
    virtual void clearHighlight() = 0;
    // The folder the window shows.
    virtual ZString currentFolder() = 0;
    // After a drop: where the files went and the paths that arrived (reload).
    virtual void dropped(const ZString& folder, const std::vector<ZString>& arrived) = 0;

protected:
    ~FolderDropSite() = default;
};

class FolderDropTarget : public FileDropTarget {
public:
    explicit FolderDropTarget(FolderDropSite& site) : m_site(&site) {}
    // The window calls this when it goes; OLE may keep the target a while longer.
    void detach() { m_site = nullptr; }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    FolderDropSite* m_site;
};

// The explorer list's target (registered on the list window).
class ListDropTarget final : public FolderDropTarget {
public:
    using FolderDropTarget::FolderDropTarget;
};

// The explorer tree's target (registered on the tree window).
class TreeDropTarget final : public FolderDropTarget {
public:
    using FolderDropTarget::FolderDropTarget;
};

} // namespace ole

// The job list container's drop target. Job windows dragged inside the list
// (a data object answering IJobDlg) show move, are moved by the list, and
// report no effect to their source. Files from outside are always taken as
// copies, so that the source never deletes the user's originals: paths are
// handed on as they are, virtual files are first written into a new folder
// under the temporary "Tamlo" folder.
#pragma once

#include "base/ZString.h"
#include "explorer/FileDropTarget_win.h"

#include <vector>

// What the container window does for its drop target. Points are in screen coordinates.
class JobListDropSite {
public:
    // The insertion mark for dragged job windows at the point, or none.
    virtual void showInsertMark(POINT screenPoint) = 0;
    virtual void clearInsertMark() = 0;
    // Moves the dragged (the selected) job windows to the position at the point, keeping their order.
    virtual void moveSelectedJobsTo(POINT screenPoint) = 0;
    // Files that arrived from outside, in order; each becomes a job.
    virtual void addFiles(const std::vector<ZString>& files) = 0;

protected:
    ~JobListDropSite() = default;
};

class JobListContainerDropTarget : public ole::FileDropTarget {
public:
    explicit JobListContainerDropTarget(JobListDropSite& site) : m_site(&site) {}
    // The container calls this when it goes; OLE may keep the target a while longer.
    void detach() { m_site = nullptr; }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    // The effect shown for the drag under way.
    DWORD shownEffect(DWORD allowed) const;
    bool dropFiles(IDataObject* data);

    JobListDropSite* m_site;
    bool m_internal = false;
};

// JobListDlgContainer: the scrolling window (id 4103) that holds one job
// window per job in display order, independent of the store's order. It
// stacks them, scrolls in lines, paints the empty list's background, takes
// dropped files and job windows, and runs the whole-job commands.
#pragma once

#include "gui/BaseWindow.h"
#include "jobs/JobLayout.h"
#include "jobs/JobListAccessible_win.h"
#include "jobs/JobListAnnouncer_win.h"
#include "jobs/JobListCommands.h"
#include "jobs/JobListContainerDropTarget_win.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

class Job;
class JobDlg;
class JobStore;

class JobListDlgContainer : public BaseWindow, public JobListDropSite {
public:
    static constexpr int kControlId = 4103;
    static constexpr const wchar_t* kClassName = L"QuilletJobListContainer";
    // Removes the job (lParam: Job*) and its window; a job window posts it for itself.
    static constexpr UINT kRemoveJob = WM_APP + 1;
    // Tells screen readers what changed since they were last told (posted once for many changes).
    static constexpr UINT kAnnounce = WM_APP + 2;

    explicit JobListDlgContainer(JobStore& store);
    ~JobListDlgContainer() override;

    bool create(HWND parent, int id);
    JobStore& store() const { return m_store; }

    // What happens around the list: the toolbar's update after list or
    // selection changes, adding a file as the program does (addFile), the
    // font and the page drag image.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }
    void setAddFile(std::function<void(const ZString& path, const ZString& name)> addFile)
    {
        m_addFile = std::move(addFile);
    }
    void setDragImages(HIMAGELIST list) { m_dragImages = list; }
    void setFont(HFONT font) { m_font = font; }
    HFONT font() const { return m_font; }

    // Job windows in display order.
    void addJobWindow(Job& job, int position = -1);
    void removeJobWindow(JobDlg* window);
    int count() const { return static_cast<int>(m_windows.size()); }
    JobDlg& window(int index) const { return *m_windows[static_cast<size_t>(index)]; }
    JobDlg* windowOf(const Job* job) const;
    int indexOf(const JobDlg* window) const;
    std::vector<JobDlg*> selectedWindows() const;
    std::vector<Job*> selectedJobs() const;
    joblist::ListState listState() const;

    // Selection of job windows.
    void selectOnly(JobDlg* window);
    void deselectAll();
    void selectAll();
    void invertSelection();
    void selectionChanged();

    // The focused item for screen readers: the job window or its page (0:
    // the window itself) last pressed; none when that window went.
    void setFocusItem(const JobDlg* window, int page);
    JobDlg* focusWindow() const;
    int focusPage() const;
    // Something screen readers see changed (names, pages, selection).
    void accessibleChanged();
    // WM_GETOBJECT of a job window: its object in the list's tree.
    LRESULT accessibleObjectOf(const JobDlg& window, WPARAM wParam);

    // Layout and scrolling (lines of 20 pixels at 96 dpi).
    void layoutJobs();
    int lineHeight() const;
    int firstLine() const { return m_line; }
    void scrollTo(int line);
    int visibleHeight() const;
    int dpi() const;
    // Every window steps its display mode; the list is laid out again.
    void stepModes(int step);
    void setModes(int mode);

    // The whole-job commands (toolbar ids).
    void command(int id);
    bool deleteAll(bool ask);
    void deleteSelected(bool ask);
    void mergeJobs(const std::vector<Job*>& jobs);
    // Ctrl+Z and Ctrl+Y: the job model goes back or forth one step and the
    // windows follow (merged jobs' windows go and come back in their places).
    void undoOrRedo(bool undo);
    void moveSelected(int direction);
    void rotateSelected(int degrees);
    void sortJobs(int order);
    // Tells the list that the program is closing: thumbnail work stops and
    // requests are dropped.
    // Whether thumbnails of pages in view are still being made.
    bool thumbnailsInViewPending() const;
    void programClosing();
    bool isClosing() const { return m_closing; }

    // Page drags between job windows.
    JobDlg* windowAtScreen(POINT screen) const;
    HIMAGELIST dragImages() const { return m_dragImages; }
    // The OLE drag of the selected job windows, and the effect its drop reported.
    void dragSelectedJobs();
    DWORD lastDragEffect() const { return m_lastDragEffect; }

    // What the drop target asks of the list.
    void showInsertMark(POINT screenPoint) override;
    void clearInsertMark() override;
    void moveSelectedJobsTo(POINT screenPoint) override;
    void addFiles(const std::vector<ZString>& files) override;

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:

    void paint(HDC dc);
    void updateScrollBar();
    void updateBands();
    void onKey(UINT key);
    void showContextMenu(POINT screen);
    void changed();
    // Dropped files in drop order, each added as the program adds a file; the
    // list shows each as it comes. Named after their files or left to addFile.
    void addDroppedFiles(const std::vector<ZString>& files, bool namedAfterFiles);

    JobStore& m_store;
    std::vector<std::unique_ptr<JobDlg>> m_windows;
    joblayout::JobListLayout m_layout;
    int m_line = 0;
    int m_jobInsertMark = -1;
    DWORD m_lastDragEffect = DROPEFFECT_NONE;
    bool m_closing = false;
    HFONT m_font = nullptr;
    HIMAGELIST m_dragImages = nullptr;
    std::unique_ptr<JobListAccessibleRoot> m_accessible; // made on the first request
    JobListAnnouncer m_announcer;
    bool m_announcePending = false;
    HWND m_focusWindow = nullptr;
    int m_focusPage = 0;
    JobListContainerDropTarget* m_dropTarget = nullptr; // one reference held, revoked and released on destroy
    std::function<void()> m_onChange;
    std::function<void(const ZString&, const ZString&)> m_addFile;
};

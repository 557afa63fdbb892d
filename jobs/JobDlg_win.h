// JobDlg: the window of one job in the job list. A header line with the job's
// name and page count and a small toolbar, then the page elements in rows.
// Page elements are not windows: the job window paints them, hit-tests them
// through its layout and asks for thumbnails only for elements in view, so a
// job of thousands of pages costs one window.
#pragma once

#include "gui/BaseWindow.h"
#include "jobs/JobDlgToolbar_win.h"
#include "jobs/JobLayout.h"
#include "jobs/PageSelection.h"
#include "operations/ThumbMaker.h"

#include <memory>
#include <vector>

class Job;
class JobListDlgContainer;

class JobDlg : public BaseWindow, private IPDFPageThumbMakerNotify {
public:
    static constexpr const wchar_t* kClassName = L"QuilletJobDlg";
    // The page container's begin-drag message.
    static constexpr UINT kBeginPageDrag = WM_USER + 1;
    // Sets the header text (lParam: const wchar_t*).
    static constexpr UINT kSetHeader = WM_USER + 2;

    JobDlg(JobListDlgContainer& container, Job& job, int mode);
    ~JobDlg() override;

    bool create(HWND parent);
    Job& job() const { return *m_job; }

    // " *Name (Pages: n)": a space, "*" when unsaved, the name and the page count.
    ZString headerText() const;
    int mode() const { return m_mode; }
    void setMode(int mode);
    void stepMode(int step) { setMode(joblayout::steppedMode(m_mode, step)); }

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    PageSelection& pageSelection() { return m_pages; }
    const PageSelection& pageSelection() const { return m_pages; }
    void selectAllPages();
    void deselectAllPages();
    void invertPageSelection();

    // Rotates the selected pages, or every page when none is selected.
    void rotate(int degrees);
    void deleteSelectedPages();
    // Rebuilds from the job: layout, header, toolbar, thumbnails asked again.
    void refresh();

    // The height the window needs at this width.
    int heightFor(int width) const;
    joblayout::JobWindowLayout layout() const;
    // Rows of this window in view (window coordinates): thumbnails are asked
    // for pages in view and withdrawn for pages far from it.
    void setVisibleBand(int top, int bottom);
    // Whether a thumbnail asked for a page in view is still being made.
    bool thumbnailsInViewPending() const;
    // The finished thumbnail of the page at this window's size, if it is in memory.
    Gdiplus::Bitmap* thumbnailOf(int page) const;

    // Page drags: the insertion mark shown by the window under the pointer.
    void showInsertMark(int position);
    int insertPositionAt(POINT client) const;
    // Job commands of the context menu and the toolbar.
    void command(int id);
    void pageCommand(int id, int page);

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Asked {
        std::shared_ptr<PDFPageThumbMaker> maker;
        ThumbRequest request;
        int page;
    };
    void thumbnailReady() override;
    void paint(HDC dc, const RECT& area);
    void paintPage(HDC dc, int page, const joblayout::Box& box);
    ThumbRequest requestFor(int page, const joblayout::Box& box) const;
    // The page's finished thumbnail, or none after asking its maker for it
    // (once: a request already made is not made again).
    Gdiplus::Bitmap* askFor(int page, const joblayout::Box& box);
    void withdrawAll();
    void withdrawOutside(int top, int bottom);
    void updateHeader();
    void placeToolbar();
    void updatePageTools();

    void onLeftDown(int x, int y, WPARAM keys);
    void onLeftUp(int x, int y, WPARAM keys);
    void onMouseMove(int x, int y, WPARAM keys);
    void onRightDown(int x, int y);
    void onRightUp(int x, int y);
    void showJobMenu();
    void showPageMenu(int page);
    void rename();
    void endPageDrag(bool drop, POINT at);

    JobListDlgContainer& m_container;
    Job* m_job;
    int m_mode;
    bool m_selected = false;
    PageSelection m_pages;
    JobDlgToolbar m_toolbar;
    HWND m_tooltip = nullptr; // a child of this window, destroyed with it
    int m_firstTool = 1, m_lastTool = 0; // the tooltip's tools: the pages in view
    ZString m_tooltipText;
    std::vector<Asked> m_asked;
    int m_bandTop = 0, m_bandBottom = 0;

    POINT m_press = {};
    int m_pressPage = 0;
    bool m_pressed = false;
    bool m_pressKeptSelection = false;
    bool m_draggingPages = false;
    int m_insertMark = -1;
    int m_menuPage = 0;
};

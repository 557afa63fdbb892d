#include "jobs/JobDlg_win.h"

#include "base/Lang.h"
#include "env/Features.h"
#include "explorer/FileDrag_win.h"
#include "gui/Dpi.h"
#include "jobs/Job.h"
#include "jobs/PageTooltip.h"
#include "jobs/JobDlgContainerElement_win.h"
#include "jobs/JobListDlgContainer_win.h"
#include "jobs/JobStore.h"
#include "jobs/PopupMenu_win.h"
#include "jobs/PrintJob.h"
#include "jobs/SaveJobs.h"
#include "operations/PdfSource.h"
#include "operations/ThumbBudget.h"
#include "xhtml/InputBox_win.h"
#include "gui/PaintBuffer.h"
#include "gui/PaintPacer.h"

#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>

namespace {

const COLORREF kBackground = RGB(0xF4, 0xF4, 0xF4);
const COLORREF kHeader = RGB(0xE2, 0xE2, 0xE2);
const COLORREF kSelectedHeader = RGB(0x9C, 0xC3, 0xE6);
const COLORREF kSelectedPage = RGB(0xC5, 0xDC, 0xF2);
const COLORREF kMark = RGB(0xE0, 0x40, 0x20);

// Job context menu ids.
enum JobMenu : UINT {
    DeleteJob = 1,
    SelectAllPages = 2,
    InvertPages = 3,
    Rename = 4,
    ShowInViewer = 5,
    SaveAs = 6,
    ExtractText = 7,
    FirstView = 8,
    Print = 14,
    Email = 15,
    FirstRotate = 16,
    Fax = 23,
};
const int kJobRotations[] = {90, 180, 270, -90, -180, -270};

// Page context menu ids.
enum PageMenu : UINT {
    DeletePages = 1,
    ViewPage = 2,
    FirstPageRotate = 3,
    BlankBefore = 9,
    BlankAfter = 10,
};

void fillRect(HDC dc, const RECT& r, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

RECT rectOf(const joblayout::Box& b) { return {b.left, b.top, b.right, b.bottom}; }

void appendRotations(HMENU menu, UINT first)
{
    const wchar_t* keys[] = {L"quillet/job/rotate/90",  L"quillet/job/rotate/180",  L"quillet/job/rotate/270",
                             L"quillet/job/rotate/-90", L"quillet/job/rotate/-180", L"quillet/job/rotate/-270"};
    for (UINT i = 0; i < 6; ++i)
        AppendMenuW(menu, MF_STRING, first + i, lang_getStr(keys[i]).c_str());
}

} // namespace

JobDlg::JobDlg(JobListDlgContainer& container, Job& job, int mode) : m_container(container), m_job(&job), m_mode(mode)
{
}

JobDlg::~JobDlg()
{
    withdrawAll();
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle();
        DestroyWindow(window);
    }
}

bool JobDlg::create(HWND parent)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (!registerClass(kClassName, module, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr, CS_DBLCLKS))
        return false;
    // Hidden until the list has put it in its place.
    if (!BaseWindow::create(0, kClassName, m_job->name().c_str(), WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10, parent,
                            nullptr, module))
        return false;
    m_toolbar.create(hwnd());
    m_tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                hwnd(), nullptr, module, nullptr);
    if (m_tooltip != nullptr)
        SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    updatePageTools();
    updateHeader();
    m_toolbar.update(!m_job->isEmpty());
    return true;
}

void JobDlg::updatePageTools()
{
    if (m_tooltip == nullptr)
        return;
    // One tool per page element in view: its page number as id, its box as
    // the area (pages out of view need none, and a job of thousands of pages
    // keeps a short list). The tooltip watches the window's mouse messages
    // itself (TTF_SUBCLASS, 16); deleting a tool ends that for the window, so
    // when the pages in view change every tool is made again.
    const joblayout::JobWindowLayout l = layout();
    const auto [first, last] = m_bandBottom > m_bandTop ? l.pagesInBand(m_bandTop, m_bandBottom)
                                                       : std::pair<int, int>(1, 0);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    const bool renew = first != m_firstTool || last != m_lastTool;
    if (renew) {
        for (int n = m_firstTool; n <= m_lastTool; ++n) {
            tool.uId = static_cast<UINT_PTR>(n);
            SendMessageW(m_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        m_firstTool = first;
        m_lastTool = last;
    }
    for (int n = first; n <= last; ++n) {
        const joblayout::Box b = l.elementBox(n);
        tool.uId = static_cast<UINT_PTR>(n);
        tool.rect = {b.left, b.top, b.right, b.bottom};
        SendMessageW(m_tooltip, renew ? TTM_ADDTOOLW : TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void JobDlg::placeToolbar() { m_toolbar.place(clientRect().right, layout().headerHeight()); }

ZString JobDlg::headerText() const
{
    ZString count = lang_getStr(L"quillet/job/~page-count");
    count.replaceAll(L"{PAGE_COUNT}", ZString::format(L"%d", m_job->pageCount()));
    return ZString(L" ") + (m_job->isUnsaved() ? L"*" : L"") + m_job->name() + L" " + count;
}

void JobDlg::updateHeader()
{
    const ZString text = headerText();
    send(kSetHeader, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

joblayout::JobWindowLayout JobDlg::layout() const
{
    const int dpi = m_container.dpi();
    const RECT client = clientRect();
    return joblayout::JobWindowLayout(client.right, joblayout::elementSize(m_mode, dpi, m_container.visibleHeight()),
                                      m_job->pageCount(), dpi);
}

int JobDlg::heightFor(int width) const
{
    const int dpi = m_container.dpi();
    return joblayout::JobWindowLayout(width, joblayout::elementSize(m_mode, dpi, m_container.visibleHeight()),
                                      m_job->pageCount(), dpi)
        .height();
}

void JobDlg::setMode(int mode)
{
    if (mode == m_mode)
        return;
    withdrawAll();
    m_mode = mode;
    updatePageTools();
    invalidate();
}

void JobDlg::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    invalidate();
    m_container.accessibleChanged();
}

void JobDlg::selectAllPages()
{
    m_pages.selectAll(m_job->pageCount());
    invalidate();
    m_container.accessibleChanged();
}

void JobDlg::deselectAllPages()
{
    if (m_pages.isEmpty())
        return;
    m_pages.clear();
    invalidate();
    m_container.accessibleChanged();
}

void JobDlg::invertPageSelection()
{
    m_pages.invert(m_job->pageCount());
    invalidate();
    m_container.accessibleChanged();
}

void JobDlg::rotate(int degrees)
{
    if (m_job->isEmpty())
        return; // no step in the history for nothing turned
    m_container.store().history().record({m_job});
    if (m_pages.isEmpty())
        m_job->rotateAll(degrees);
    else
        m_job->rotate(degrees, m_pages.pages());
    refresh();
}

void JobDlg::deleteSelectedPages()
{
    if (m_pages.isEmpty())
        return;
    m_container.store().history().record({m_job});
    m_job->deletePages(m_pages.pages());
    m_pages.clear();
    refresh();
}

void JobDlg::refresh()
{
    withdrawAll();
    m_pages.limitTo(m_job->pageCount());
    SetWindowTextW(hwnd(), m_job->name().c_str());
    updateHeader();
    m_toolbar.update(!m_job->isEmpty());
    m_container.layoutJobs();
    updatePageTools();
    invalidate();
    m_container.selectionChanged();
}

// Thumbnails ------------------------------------------------------------------

void JobDlg::thumbnailReady()
{
    // The maker's thread, under its lock: only post the news. InvalidateRect from
    // here can wait for this window's thread (Wine), and that thread may be waiting
    // for the maker's lock (withdraw while the list closes): neither would go on.
    // A window already destroyed with its parent (the object outlives it
    // briefly) is told nothing: a message without a window would go to this thread.
    if (HWND window = hwnd())
        PostMessageW(window, repaintNewsMessage(), 0, 0);
}

ThumbRequest JobDlg::requestFor(int page, const joblayout::Box& box) const
{
    ThumbRequest r;
    const int pad = scale(6, m_container.dpi());
    r.width = box.right - box.left - 2 * pad;
    r.height = box.bottom - box.top - 2 * pad;
    r.resolution = m_container.dpi();
    r.page = m_job->pages()[static_cast<size_t>(page - 1)].pageNumber;
    r.notify = const_cast<JobDlg*>(this);
    return r;
}

Gdiplus::Bitmap* JobDlg::thumbnailOf(int page) const
{
    if (page < 1 || page > m_job->pageCount())
        return nullptr;
    PdfSource* document = m_job->pages()[static_cast<size_t>(page - 1)].document;
    return document != nullptr ? document->thumbMaker()->bitmapFor(requestFor(page, layout().elementBox(page))) : nullptr;
}

void JobDlg::withdrawAll()
{
    for (Asked& a : m_asked)
        a.maker->withdraw(a.request);
    m_asked.clear();
    thumbBudget().setInView(this, {});
}

void JobDlg::withdrawOutside(int top, int bottom)
{
    const joblayout::JobWindowLayout l = layout();
    std::erase_if(m_asked, [&](Asked& a) {
        if (a.page <= m_job->pageCount() && l.elementBox(a.page).intersects(top, bottom))
            return false;
        // Far from view: not rendered if still queued. A finished one stays
        // until the budget needs its memory.
        a.maker->withdraw(a.request);
        return true;
    });
}

bool JobDlg::thumbnailsInViewPending() const
{
    if (m_bandBottom <= m_bandTop)
        return false;
    const joblayout::JobWindowLayout l = layout();
    return std::any_of(m_asked.begin(), m_asked.end(), [&](const Asked& a) {
        return a.page <= m_job->pageCount() && l.elementBox(a.page).intersects(m_bandTop, m_bandBottom) &&
               a.maker->isPending(a.request);
    });
}

void JobDlg::setVisibleBand(int top, int bottom)
{
    m_bandTop = top;
    m_bandBottom = bottom;
    // Requests for pages more than a screen away from view are withdrawn.
    const int screen = std::max(1, bottom - top);
    withdrawOutside(top - screen, bottom + screen);
    // The thumbnails in view are never freed to make room.
    std::vector<ThumbBudget::Shown> inView;
    if (m_mode != 0) {
        const joblayout::JobWindowLayout l = layout();
        const auto [first, last] = l.pagesInBand(top, bottom);
        for (int page = first; page <= last; ++page)
            if (PdfSource* document = m_job->pages()[static_cast<size_t>(page - 1)].document) {
                inView.push_back({document->thumbMaker(), requestFor(page, l.elementBox(page))});
                // Asked for as soon as they come into view, not at the next paint.
                if (bottom > top)
                    askFor(page, l.elementBox(page));
            }
    }
    thumbBudget().setInView(this, inView);
    updatePageTools();
}

// Painting --------------------------------------------------------------------

void JobDlg::paintPage(HDC dc, int page, const joblayout::Box& box)
{
    const RECT r = rectOf(box);
    const bool selected = m_pages.isSelected(page);
    fillRect(dc, r, selected ? kSelectedPage : kBackground);
    if (page == m_menuPage)
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const JobPage& p = m_job->pages()[static_cast<size_t>(page - 1)];
    const int pad = scale(6, m_container.dpi());
    RECT inner = {r.left + pad, r.top + pad, r.right - pad, r.bottom - pad};
    if (m_mode == 0 || p.document == nullptr) {
        JobDlgContainerElementNormal::paint(dc, inner, page, p.rotation, selected, m_container.dpi());
        return;
    }
    Gdiplus::Bitmap* bitmap = askFor(page, box);
    if (!m_container.isClosing())
        thumbBudget().shown(p.document->thumbMaker(), requestFor(page, box));
    JobDlgContainerElementPreview::paint(dc, inner, bitmap, p.rotation);
}

Gdiplus::Bitmap* JobDlg::askFor(int page, const joblayout::Box& box)
{
    const std::shared_ptr<PDFPageThumbMaker> maker = m_job->pages()[static_cast<size_t>(page - 1)].document->thumbMaker();
    const ThumbRequest request = requestFor(page, box);
    Gdiplus::Bitmap* bitmap = maker->bitmapFor(request);
    if (bitmap == nullptr && !m_container.isClosing()) {
        const bool asked = std::any_of(m_asked.begin(), m_asked.end(), [&](const Asked& a) {
            return a.page == page && a.request.sameRequest(request) && a.maker == maker;
        });
        if (!asked)
            m_asked.push_back({maker, request, page});
        // Asked again after the budget freed it: the maker skips a request already waiting.
        maker->request(request);
        bitmap = maker->bitmapFor(request);
    }
    return bitmap;
}

void JobDlg::paint(HDC dc, const RECT& area)
{
    const RECT client = clientRect();
    const joblayout::JobWindowLayout l = layout();
    fillRect(dc, client, kBackground);
    RECT header = {0, 0, client.right, l.headerHeight()};
    fillRect(dc, header, m_selected ? kSelectedHeader : kHeader);
    HGDIOBJ oldFont = SelectObject(dc, m_container.font() != nullptr ? m_container.font() : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const ZString title = headerText();
    RECT text = header;
    text.left += scale(4, m_container.dpi());
    DrawTextW(dc, title.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (m_job->isEmpty()) {
        RECT body = {0, l.headerHeight(), client.right, client.bottom};
        SetTextColor(dc, RGB(0x60, 0x60, 0x60));
        DrawTextW(dc, lang_getStr(L"quillet/job/drag-pages-here").c_str(), -1, &body,
                  DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        const auto [first, last] = l.pagesInBand(std::max<int>(area.top, m_bandTop), std::min<int>(area.bottom, m_bandBottom));
        for (int page = first; page <= last; ++page)
            paintPage(dc, page, l.elementBox(page));
    }
    if (m_insertMark >= 0) {
        const RECT mark = rectOf(l.insertMark(m_insertMark));
        fillRect(dc, mark, kMark);
    }
    SelectObject(dc, oldFont);
}

// Mouse -------------------------------------------------------------------------

void JobDlg::onLeftDown(int x, int y, WPARAM keys)
{
    SetFocus(m_container.hwnd());
    m_press = {x, y};
    m_pressed = true;
    m_pressPage = layout().pageAt(x, y);
    m_container.setFocusItem(this, m_pressPage);
    const bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    m_pressKeptSelection = false;
    if (m_pressPage == 0) {
        m_pages.clear();
        if (!ctrl && !m_selected)
            m_container.selectOnly(this);
    } else {
        if (!ctrl && !shift) {
            m_container.selectOnly(this);
            m_pressKeptSelection = m_pages.pressPlain(m_pressPage);
        } else if (ctrl && shift) {
            m_pages.pressCtrlShift(m_pressPage);
        } else if (ctrl) {
            m_pages.pressCtrl(m_pressPage);
        } else {
            m_pages.pressShift(m_pressPage);
        }
    }
    SetCapture(hwnd());
    invalidate();
    m_container.selectionChanged();
}

void JobDlg::onLeftUp(int x, int y, WPARAM keys)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (m_draggingPages) {
        endPageDrag(true, {x, y});
        return;
    }
    if (GetCapture() == hwnd())
        ReleaseCapture();
    const bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    if (m_pressPage == 0) {
        if (ctrl) {
            setSelected(!m_selected);
            m_container.selectionChanged();
        }
        return;
    }
    if (!ctrl && !shift && layout().pageAt(x, y) == m_pressPage) {
        m_pages.releasePlain(m_pressPage);
        invalidate();
        m_container.selectionChanged();
    }
}

void JobDlg::onMouseMove(int x, int y, WPARAM keys)
{
    if (!m_pressed || (keys & MK_LBUTTON) == 0)
        return;
    const POINT now = {x, y};
    if (m_draggingPages) {
        POINT screen = now;
        ClientToScreen(hwnd(), &screen);
        POINT inList = screen;
        ScreenToClient(m_container.hwnd(), &inList);
        ImageList_DragMove(inList.x, inList.y);
        JobDlg* target = m_container.windowAtScreen(screen);
        for (int i = 0; i < m_container.count(); ++i) {
            JobDlg& w = m_container.window(i);
            if (&w != target)
                w.showInsertMark(-1);
        }
        if (target != nullptr) {
            POINT client = screen;
            ScreenToClient(target->hwnd(), &client);
            ImageList_DragShowNolock(FALSE);
            target->showInsertMark(target->insertPositionAt(client));
            UpdateWindow(target->hwnd());
            ImageList_DragShowNolock(TRUE);
        }
        return;
    }
    if (!ole::movedPastDragThreshold(m_press, now, 6, m_container.dpi()))
        return;
    if (m_pressPage != 0 && !m_pages.isEmpty()) {
        send(kBeginPageDrag);
    } else if (m_pressPage == 0) {
        m_pressed = false;
        if (GetCapture() == hwnd())
            ReleaseCapture();
        m_container.dragSelectedJobs();
    }
}

void JobDlg::showInsertMark(int position)
{
    if (position == m_insertMark)
        return;
    m_insertMark = position;
    invalidate();
}

int JobDlg::insertPositionAt(POINT client) const { return layout().insertPositionAt(client.x, client.y); }

void JobDlg::endPageDrag(bool drop, POINT at)
{
    m_draggingPages = false;
    ImageList_DragLeave(m_container.hwnd());
    ImageList_EndDrag();
    if (GetCapture() == hwnd())
        ReleaseCapture();
    POINT screen = at;
    ClientToScreen(hwnd(), &screen);
    JobDlg* target = drop ? m_container.windowAtScreen(screen) : nullptr;
    int position = -1;
    if (target != nullptr) {
        POINT client = screen;
        ScreenToClient(target->hwnd(), &client);
        position = target->insertPositionAt(client);
    }
    for (int i = 0; i < m_container.count(); ++i)
        m_container.window(i).showInsertMark(-1);
    if (!drop || target == nullptr || position < 0)
        return;
    const std::vector<int> pages = m_pages.pages(); // in the order they were picked
    if (target == this) {
        m_container.store().history().record({m_job});
        m_job->movePages(position, pages);
        m_pages.clear();
        refresh();
    } else {
        m_container.store().history().record({&target->job()});
        target->job().insertPagesFrom(m_job, position, pages);
        target->m_pages.clear();
        target->refresh();
    }
}

void JobDlg::onRightDown(int x, int y)
{
    m_container.selectOnly(this);
    const int page = layout().pageAt(x, y);
    m_container.setFocusItem(this, page);
    if (page != 0 && !m_pages.isSelected(page))
        m_pages.selectOnly(page);
    invalidate();
    m_container.selectionChanged();
    if (page == 0)
        showJobMenu(); // on the window itself the menu opens on the press
}

void JobDlg::onRightUp(int x, int y)
{
    if (const int page = layout().pageAt(x, y))
        showPageMenu(page);
}

// Menus and commands ------------------------------------------------------------

void JobDlg::showJobMenu()
{
    const bool pages = !m_job->isEmpty();
    const UINT grayed = pages ? 0 : MF_GRAYED;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | grayed, SaveAs, lang_getStr(L"quillet/job/save_as").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | grayed, Rename, lang_getStr(L"quillet/job/change-name").c_str());
    AppendMenuW(menu, MF_STRING | grayed, ShowInViewer, lang_getStr(L"quillet/job/show-in-viewer").c_str());
    AppendMenuW(menu, MF_STRING | grayed, Print, lang_getStr(L"quillet/job/print").c_str());
    if (isFeatureOn(L"mail"))
        AppendMenuW(menu, MF_STRING | grayed, Email, lang_getStr(L"quillet/job/send-via-email").c_str());
    if (isFeatureOn(L"fax"))
        AppendMenuW(menu, MF_STRING | grayed, Fax, lang_getStr(L"quillet/job/send-via-fax").c_str());
    AppendMenuW(menu, MF_STRING | grayed, ExtractText, lang_getStr(L"quillet/job/extract-text").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    HMENU rotate = CreatePopupMenu();
    appendRotations(rotate, FirstRotate);
    AppendMenuW(menu, MF_POPUP | grayed, reinterpret_cast<UINT_PTR>(rotate), lang_getStr(L"quillet/job/rotate").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, DeleteJob, lang_getStr(L"quillet/job/delete").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | grayed, SelectAllPages, lang_getStr(L"quillet/job/select-all").c_str());
    AppendMenuW(menu, MF_STRING | grayed, InvertPages, lang_getStr(L"quillet/job/invert-selection").c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    HMENU views = CreatePopupMenu();
    const wchar_t* keys[] = {L"quillet/job/views/page-numbers",          L"quillet/job/views/previews/small",
                             L"quillet/job/views/previews/medium",       L"quillet/job/views/previews/large",
                             L"quillet/job/views/previews/extra-large", L"quillet/job/views/previews/window-size"};
    for (UINT m = 0; m < 6; ++m) {
        AppendMenuW(views, MF_STRING | (static_cast<int>(m) == m_mode ? MF_CHECKED : 0), FirstView + m,
                    lang_getStr(keys[m]).c_str());
        if (m == 0)
            AppendMenuW(views, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuW(menu, MF_POPUP | grayed, reinterpret_cast<UINT_PTR>(views), lang_getStr(L"quillet/job/views").c_str());
    POINT at = {};
    GetCursorPos(&at);
    const UINT chosen = trackJobMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at, hwnd());
    DestroyMenu(menu);
    if (chosen != 0)
        command(static_cast<int>(chosen));
}

void JobDlg::command(int id)
{
    // An empty job can only be removed; everything else needs pages.
    if (m_job->isEmpty() && id != static_cast<int>(DeleteJob))
        return;
    switch (id) {
    case SaveAs:
        if (saveJobAs(*m_job))
            refresh();
        break;
    case Rename: {
        // Owned by the main window, which the box keeps disabled while it asks.
        xhtml::InputBox box(GetAncestor(hwnd(), GA_ROOT), lang_getStr(L"quillet/job/change-name"),
                            lang_getStr(L"quillet/job/~change-name-info"), m_job->name());
        if (box.show() && !box.text().isEmpty() && box.text() != m_job->name()) {
            m_container.store().history().record({m_job});
            m_job->setName(box.text()); // the unsaved flag stays as it is
            refresh();
        }
        break;
    }
    case ShowInViewer:
        m_job->showInViewer(9, -1);
        break;
    case Print:
        // The selected pages in the order they were picked; none prints every page.
        if (!m_job->isEmpty())
            printJob(*m_job, m_pages.pages());
        break;
    case Email:
        emailJob(*m_job);
        break;
    case Fax:
        faxJob(*m_job);
        break;
    case ExtractText:
        saveJobAsText(*m_job);
        break;
    case DeleteJob:
        if (confirmJobRemoval(*m_job))
            m_container.post(JobListDlgContainer::kRemoveJob, 0, reinterpret_cast<LPARAM>(m_job)); // not while in here
        break;
    case SelectAllPages:
        selectAllPages();
        break;
    case InvertPages:
        invertPageSelection();
        break;
    default:
        if (id >= static_cast<int>(FirstRotate) && id < static_cast<int>(FirstRotate) + 6) {
            rotate(kJobRotations[id - FirstRotate]);
        } else if (id >= static_cast<int>(FirstView) && id < static_cast<int>(FirstView) + 6) {
            setMode(id - FirstView); // this window only
            m_container.layoutJobs();
        }
        break;
    }
}

void JobDlg::showPageMenu(int page)
{
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, DeletePages, lang_getStr(L"quillet/job/page/delete").c_str());
    // The viewer already shown goes to its pages by itself.
    const bool viewerShown = m_job->viewer() != nullptr && m_job->viewer()->isShown();
    AppendMenuW(menu, MF_STRING | (viewerShown ? MF_GRAYED : 0), ViewPage,
                lang_getStr(L"quillet/job/page/view").c_str());
    HMENU rotate = CreatePopupMenu();
    appendRotations(rotate, FirstPageRotate);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(rotate), lang_getStr(L"quillet/job/rotate").c_str());
    AppendMenuW(menu, MF_STRING, BlankBefore, lang_getStr(L"quillet/job/page/insert-blank-page-before").c_str());
    AppendMenuW(menu, MF_STRING, BlankAfter, lang_getStr(L"quillet/job/page/insert-blank-page-after").c_str());
    POINT at = {};
    GetCursorPos(&at);
    m_menuPage = page; // marked while its menu is open
    invalidate();
    UpdateWindow(hwnd());
    const UINT chosen = trackJobMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at, hwnd());
    m_menuPage = 0;
    invalidate();
    DestroyMenu(menu);
    if (chosen != 0)
        pageCommand(static_cast<int>(chosen), page);
}

void JobDlg::pageCommand(int id, int page)
{
    switch (id) {
    case DeletePages:
        deleteSelectedPages();
        break;
    case ViewPage:
        m_job->showInViewer(17, page);
        break;
    case BlankBefore:
    case BlankAfter:
        m_container.store().history().record({m_job});
        if (insertBlankPage(*m_job, id == BlankBefore ? page - 1 : page))
            refresh();
        break;
    default:
        if (id >= static_cast<int>(FirstPageRotate) && id < static_cast<int>(FirstPageRotate) + 6)
            rotate(kJobRotations[id - FirstPageRotate]);
        break;
    }
}

LRESULT JobDlg::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == repaintNewsMessage()) { // a thumbnail maker has a bitmap for a page asked for
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    }
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        {
            // Only the part to paint: a job of many pages is far taller than the view.
            const PaintBuffer buffer(dc, ps.rcPaint);
            paint(buffer.dc(), ps.rcPaint);
            buffer.copyTo(dc, ps.rcPaint);
        }
        EndPaint(hwnd(), &ps);
        thumbBudget().trim(); // no bitmap is in use now
        return 0;
    }
    case WM_ERASEBKGND: {
        // The flat toolbar asks for the background behind it: the header's.
        RECT r = {};
        GetClipBox(reinterpret_cast<HDC>(wParam), &r);
        fillRect(reinterpret_cast<HDC>(wParam), r, m_selected ? kSelectedHeader : kHeader);
        return 1;
    }
    case WM_SIZE:
        placeToolbar();
        updatePageTools();
        return 0;
    case kSetHeader:
        invalidate();
        return 0;
    case kBeginPageDrag: {
        m_draggingPages = true;
        if (HIMAGELIST images = m_container.dragImages()) {
            ImageList_BeginDrag(images, 4, 0, 0);
            POINT at = m_press;
            ClientToScreen(hwnd(), &at);
            ScreenToClient(m_container.hwnd(), &at);
            ImageList_DragEnter(m_container.hwnd(), at.x, at.y);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        onLeftDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_LBUTTONUP:
        onLeftUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_draggingPages && reinterpret_cast<HWND>(lParam) != hwnd())
            endPageDrag(false, {});
        m_pressed = false;
        return 0;
    case WM_RBUTTONDOWN:
        onRightDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_RBUTTONUP:
        onRightUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        // On a page: the viewer at that page; elsewhere at the viewer's own page.
        if (const int page = layout().pageAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            m_job->showInViewer(9, page);
        else
            m_job->showInViewer(9, -1);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
        return m_container.send(message, wParam, lParam);
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT))
            return m_container.accessibleObjectOf(*this, wParam);
        break;
    case WM_COMMAND:
        if (lParam != 0 && reinterpret_cast<HWND>(lParam) == m_toolbar.hwnd()) {
            switch (LOWORD(wParam)) {
            case JobDlgToolbar::Remove:
                command(DeleteJob);
                return 0;
            case JobDlgToolbar::Print:
                command(Print);
                return 0;
            case JobDlgToolbar::SaveAs:
                command(SaveAs);
                return 0;
            }
        }
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == m_tooltip && header->code == TTN_GETDISPINFOW) {
            // The tool's id is its page number.
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            const int page = static_cast<int>(header->idFrom);
            m_tooltipText = page > 0 ? pageTooltip(*m_job, page) : ZString();
            info->lpszText = const_cast<wchar_t*>(m_tooltipText.c_str());
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

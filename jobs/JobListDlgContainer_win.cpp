#include "jobs/JobListDlgContainer_win.h"

#include "base/Lang.h"
#include "base/Settings.h"
#include "explorer/FileDrag_win.h"
#include "gui/Dpi.h"
#include "gui/Messages.h"
#include "jobs/Job.h"
#include "jobs/JobDlgDataObject_win.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobStore.h"
#include "jobs/NameOrder.h"
#include "jobs/PageIcons_win.h"
#include "jobs/PopupMenu_win.h"
#include "env/RegisteredNames.h"
#include "jobs/SaveJobs.h"
#include "gui/PaintBuffer.h"
#include "gui/PaintPacer.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

namespace {

const COLORREF kListBackground = RGB(0x29, 0x29, 0x29);
const int kEmptyListBitmap = 1007;

// Context menu ids of the list's background.
enum ContextMenu : UINT {
    CreateEmpty = 1,
    MergeAll = 3,
    MergeSelected = 4,
    DeleteAll = 6,
    DeleteSelected = 7,
    SelectAll = 8,
    InvertSelection = 9,
    FirstSort = 10,
};

} // namespace

JobListDlgContainer::JobListDlgContainer(JobStore& store) : m_store(store) {}

JobListDlgContainer::~JobListDlgContainer()
{
    programClosing();
    m_accessible.reset();
    if (m_dropTarget != nullptr) {
        if (hwnd() != nullptr)
            RevokeDragDrop(hwnd());
        m_dropTarget->detach();
        m_dropTarget->Release();
        m_dropTarget = nullptr;
    }
    m_windows.clear();
    releasePageIcons();
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle();
        DestroyWindow(window);
    }
}

bool JobListDlgContainer::create(HWND parent, int id)
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    if (!registerClass(kClassName, module, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW), nullptr, CS_DBLCLKS))
        return false;
    if (!BaseWindow::create(WS_EX_ACCEPTFILES, kClassName, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN | WS_TABSTOP, 0, 0, 10, 10, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module))
        return false;
    DragAcceptFiles(hwnd(), TRUE);
    m_dropTarget = new JobListContainerDropTarget(*this);
    if (FAILED(RegisterDragDrop(hwnd(), m_dropTarget))) {
        m_dropTarget->Release();
        m_dropTarget = nullptr;
    }
    layoutJobs();
    return true;
}

int JobListDlgContainer::dpi() const { return dpiOf(hwnd()); }

int JobListDlgContainer::lineHeight() const { return scale(20, dpi()); }

int JobListDlgContainer::visibleHeight() const { return clientRect().bottom; }

// The list ------------------------------------------------------------------------

void JobListDlgContainer::addJobWindow(Job& job, int position)
{
    auto window = std::make_unique<JobDlg>(*this, job, static_cast<int>(userConfig_getDword(L"JobDlgDisplayMode", 2)));
    if (!window->create(hwnd()))
        return;
    if (position < 0 || position > count())
        position = count();
    JobDlg* added = window.get();
    m_windows.insert(m_windows.begin() + position, std::move(window));
    layoutJobs();
    added->show(SW_SHOWNA);
    changed();
}

void JobListDlgContainer::removeJobWindow(JobDlg* window)
{
    const int index = indexOf(window);
    if (index < 0)
        return;
    Job* job = &window->job();
    m_windows.erase(m_windows.begin() + index);
    m_store.removeJob(job);
    layoutJobs();
    changed();
}

JobDlg* JobListDlgContainer::windowOf(const Job* job) const
{
    for (const auto& w : m_windows)
        if (&w->job() == job)
            return w.get();
    return nullptr;
}

int JobListDlgContainer::indexOf(const JobDlg* window) const
{
    for (int i = 0; i < count(); ++i)
        if (m_windows[static_cast<size_t>(i)].get() == window)
            return i;
    return -1;
}

std::vector<JobDlg*> JobListDlgContainer::selectedWindows() const
{
    std::vector<JobDlg*> selected;
    for (const auto& w : m_windows)
        if (w->isSelected())
            selected.push_back(w.get());
    return selected;
}

std::vector<Job*> JobListDlgContainer::selectedJobs() const
{
    std::vector<Job*> jobs;
    for (JobDlg* w : selectedWindows())
        jobs.push_back(&w->job());
    return jobs;
}

joblist::ListState JobListDlgContainer::listState() const
{
    joblist::ListState state;
    for (const auto& w : m_windows) {
        state.selected.push_back(w->isSelected());
        state.hasPages.push_back(!w->job().isEmpty());
    }
    return state;
}

void JobListDlgContainer::changed()
{
    if (m_onChange)
        m_onChange();
    accessibleChanged();
}

void JobListDlgContainer::selectionChanged() { changed(); }

void JobListDlgContainer::accessibleChanged()
{
    if (hwnd() != nullptr && !m_announcePending && !m_closing)
        m_announcePending = post(kAnnounce);
}

void JobListDlgContainer::setFocusItem(const JobDlg* window, int page)
{
    m_focusWindow = window != nullptr ? window->hwnd() : nullptr;
    m_focusPage = page;
    accessibleChanged();
}

JobDlg* JobListDlgContainer::focusWindow() const
{
    for (const auto& w : m_windows)
        if (w->hwnd() == m_focusWindow && m_focusWindow != nullptr)
            return w.get();
    return nullptr;
}

int JobListDlgContainer::focusPage() const
{
    const JobDlg* w = focusWindow();
    return w != nullptr && m_focusPage <= w->job().pageCount() ? m_focusPage : 0;
}

LRESULT JobListDlgContainer::accessibleObjectOf(const JobDlg& window, WPARAM wParam)
{
    if (!m_accessible)
        m_accessible = std::make_unique<JobListAccessibleRoot>(*this);
    return m_accessible->answerFor(&window.job(), wParam);
}

void JobListDlgContainer::selectOnly(JobDlg* window)
{
    for (const auto& w : m_windows) {
        if (w.get() != window)
            w->deselectAllPages();
        w->setSelected(w.get() == window);
    }
    changed();
}

void JobListDlgContainer::deselectAll()
{
    for (const auto& w : m_windows) {
        w->setSelected(false);
        w->deselectAllPages();
    }
    changed();
}

void JobListDlgContainer::selectAll()
{
    for (const auto& w : m_windows)
        w->setSelected(true);
    changed();
}

void JobListDlgContainer::invertSelection()
{
    for (const auto& w : m_windows)
        w->setSelected(!w->isSelected());
    changed();
}

// Layout and scrolling ----------------------------------------------------------

void JobListDlgContainer::layoutJobs()
{
    if (hwnd() == nullptr)
        return;
    const RECT client = clientRect();
    const int margin = scale(10, dpi());
    const int width = std::max(1, static_cast<int>(client.right) - 2 * margin);
    std::vector<int> heights;
    for (const auto& w : m_windows)
        heights.push_back(w->heightFor(width));
    m_layout.setHeights(heights, margin);
    updateScrollBar();
    const int offset = m_line * lineHeight();
    HDWP moves = BeginDeferWindowPos(count());
    for (int i = 0; i < count(); ++i) {
        HWND w = window(i).hwnd();
        const int y = m_layout.top(i) - offset;
        if (moves != nullptr)
            moves = DeferWindowPos(moves, w, nullptr, margin, y, width, m_layout.height(i), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves != nullptr)
        EndDeferWindowPos(moves);
    updateBands();
    invalidate();
}

void JobListDlgContainer::updateBands()
{
    // Each window learns which of its rows are in view, so it asks for
    // thumbnails there only and withdraws those far away.
    const int offset = m_line * lineHeight();
    const int height = visibleHeight();
    for (int i = 0; i < count(); ++i) {
        const int top = m_layout.top(i) - offset;
        window(i).setVisibleBand(-top, height - top);
    }
}

void JobListDlgContainer::updateScrollBar()
{
    const joblayout::ScrollLines lines = joblayout::scrollLines(m_layout.totalHeight(), visibleHeight(), lineHeight());
    m_line = joblayout::clampedLine(lines, m_line);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = lines.maximum;
    info.nPage = static_cast<UINT>(lines.page);
    info.nPos = m_line;
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

void JobListDlgContainer::scrollTo(int line)
{
    const joblayout::ScrollLines lines = joblayout::scrollLines(m_layout.totalHeight(), visibleHeight(), lineHeight());
    line = joblayout::clampedLine(lines, line);
    if (line == m_line)
        return;
    const int dy = (m_line - line) * lineHeight();
    m_line = line;
    ScrollWindowEx(hwnd(), 0, dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    SetScrollPos(hwnd(), SB_VERT, m_line, TRUE);
    updateBands();
}

void JobListDlgContainer::stepModes(int step)
{
    for (const auto& w : m_windows)
        w->stepMode(step);
    layoutJobs();
}

void JobListDlgContainer::setModes(int mode)
{
    userConfig_setDword(L"JobDlgDisplayMode", static_cast<uint32_t>(mode));
    for (const auto& w : m_windows)
        w->setMode(mode);
    layoutJobs();
}

// Commands -------------------------------------------------------------------------

bool JobListDlgContainer::deleteAll(bool ask)
{
    if (ask && showMessage(lang_getStr(L"quillet/jobs/~confirm-delete-all-jobs"),
                           lang_getStr(L"quillet/jobs/confirm-deleting-jobs"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    while (!m_windows.empty())
        removeJobWindow(m_windows.back().get());
    while (m_store.jobCount() > 0)
        m_store.removeJob(m_store.job(0));
    m_store.collectUnusedDocuments();
    return true;
}

void JobListDlgContainer::deleteSelected(bool ask)
{
    const std::vector<JobDlg*> selected = selectedWindows();
    if (selected.empty())
        return;
    if (ask && showMessage(lang_getStr(L"quillet/jobs/~confirm-deleting-selected-jobs"),
                           lang_getStr(L"quillet/jobs/confirm-deleting-jobs"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    for (JobDlg* w : selected)
        removeJobWindow(w);
}

void JobListDlgContainer::mergeJobs(const std::vector<Job*>& jobs)
{
    if (jobs.size() < 2)
        return;
    // Where the windows stood, for an undo to put them back there.
    std::vector<std::pair<const Job*, int>> places;
    for (Job* job : jobs)
        places.emplace_back(job, indexOf(windowOf(job)));
    for (Job* job : jobs)
        if (JobDlg* w = windowOf(job))
            m_windows.erase(m_windows.begin() + indexOf(w));
    Job* merged = m_store.merge(jobs, [&places](const Job* job) {
        const auto at = std::find_if(places.begin(), places.end(), [job](const auto& p) { return p.first == job; });
        return at != places.end() ? at->second : -1;
    });
    if (merged == nullptr) {
        // Nothing merged: the windows come back.
        for (Job* job : jobs)
            addJobWindow(*job);
        return;
    }
    addJobWindow(*merged);
}

void JobListDlgContainer::moveSelected(int direction)
{
    if (!joblist::canMove(listState(), direction))
        return;
    const int index = indexOf(selectedWindows().front());
    std::swap(m_windows[static_cast<size_t>(index)], m_windows[static_cast<size_t>(index + direction)]);
    layoutJobs();
    changed();
}

void JobListDlgContainer::rotateSelected(int degrees)
{
    for (JobDlg* w : selectedWindows())
        w->rotate(degrees);
}

void JobListDlgContainer::sortJobs(int order)
{
    // Sorted as pointers, then the owners are put in that order.
    std::vector<JobDlg*> order_;
    for (const auto& w : m_windows)
        order_.push_back(w.get());
    sortByName<JobDlg*>(order_, [](JobDlg* const& w) { return w->job().name(); }, static_cast<SortOrder>(order));
    std::vector<std::unique_ptr<JobDlg>> sorted;
    for (JobDlg* w : order_)
        sorted.push_back(std::move(m_windows[static_cast<size_t>(indexOf(w))]));
    m_windows = std::move(sorted);
    layoutJobs();
    changed();
}

bool JobListDlgContainer::thumbnailsInViewPending() const
{
    for (const auto& w : m_windows)
        if (w->thumbnailsInViewPending())
            return true;
    return false;
}

void JobListDlgContainer::programClosing()
{
    m_closing = true;
    if (GetCapture() != nullptr && GetParent(GetCapture()) == hwnd())
        ReleaseCapture();
    for (const auto& w : m_windows)
        w->setVisibleBand(0, 0); // every thumbnail request is withdrawn
}

// Dragging --------------------------------------------------------------------------

JobDlg* JobListDlgContainer::windowAtScreen(POINT screen) const
{
    for (const auto& w : m_windows) {
        const RECT r = w->windowRect();
        if (PtInRect(&r, screen))
            return w.get();
    }
    return nullptr;
}

void JobListDlgContainer::dragSelectedJobs()
{
    if (selectedWindows().empty())
        return;
    auto* data = new JobDlgDataObject([this] {
        std::vector<Job*> jobs;
        for (Job* job : selectedJobs())
            if (!job->isEmpty())
                jobs.push_back(job);
        return jobs;
    });
    m_lastDragEffect = ole::dragFiles(data);
    data->Release();
}

void JobListDlgContainer::showInsertMark(POINT screenPoint)
{
    POINT client = screenPoint;
    ScreenToClient(hwnd(), &client);
    const int index = m_layout.dropIndexAt(client.y + m_line * lineHeight());
    if (index != m_jobInsertMark) {
        m_jobInsertMark = index;
        invalidate();
    }
}

void JobListDlgContainer::clearInsertMark()
{
    m_jobInsertMark = -1;
    invalidate();
}

void JobListDlgContainer::moveSelectedJobsTo(POINT screenPoint)
{
    POINT client = screenPoint;
    ScreenToClient(hwnd(), &client);
    int index = m_layout.dropIndexAt(client.y + m_line * lineHeight());
    std::vector<std::unique_ptr<JobDlg>> moved;
    for (int i = count() - 1; i >= 0; --i)
        if (window(i).isSelected()) {
            if (i < index)
                --index;
            moved.insert(moved.begin(), std::move(m_windows[static_cast<size_t>(i)]));
            m_windows.erase(m_windows.begin() + i);
        }
    for (auto& w : moved)
        m_windows.insert(m_windows.begin() + index++, std::move(w));
    m_jobInsertMark = -1;
    layoutJobs();
    changed();
}

void JobListDlgContainer::addFiles(const std::vector<ZString>& files) { addDroppedFiles(files, true); }

void JobListDlgContainer::addDroppedFiles(const std::vector<ZString>& files, bool namedAfterFiles)
{
    PaintPacer pacer([this] { return thumbnailsInViewPending(); });
    for (const ZString& file : files) {
        if (!m_addFile)
            return;
        m_addFile(file, namedAfterFiles ? jobNameForFile(file) : ZString());
        if (&file != &files.back()) // after the last, the message loop paints
            pacer.step(GetParent(hwnd())); // the pane: the list and its toolbar
    }
}

// Painting and input ----------------------------------------------------------------

void JobListDlgContainer::paint(HDC dc)
{
    const RECT client = clientRect();
    SetBkColor(dc, kListBackground);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    const int d = dpi();
    int textTop = client.bottom / 2;
    if (HBITMAP picture = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kEmptyListBitmap), IMAGE_BITMAP, 0, 0, 0))) {
        BITMAP info = {};
        GetObjectW(picture, sizeof info, &info);
        const int w = scale(info.bmWidth, d), h = scale(info.bmHeight, d);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        SetStretchBltMode(dc, HALFTONE);
        const int x = (client.right - w) / 2, y = (client.bottom - h) / 2;
        StretchBlt(dc, x, y, w, h, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        DeleteObject(picture);
        textTop = y + h + scale(10, d);
    }
    HGDIOBJ oldFont = SelectObject(dc, m_font != nullptr ? m_font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    SetBkMode(dc, TRANSPARENT);
    RECT text = {client.left + scale(20, d), textTop, client.right - scale(20, d), client.bottom};
    DrawTextW(dc, lang_getStr(L"quillet/jobs/~info-drag-drop").c_str(), -1, &text,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (m_jobInsertMark >= 0) {
        const int margin = scale(10, d);
        // In the gap before the job; above the first one, just inside the list's top edge.
        const int y = (m_jobInsertMark == 0 ? scale(2, d)
                       : m_jobInsertMark < count() ? m_layout.top(m_jobInsertMark) - margin / 2
                                                   : m_layout.totalHeight() + margin / 2) -
                      m_line * lineHeight();
        RECT mark = {margin, y - scale(2, d), client.right - margin, y + scale(2, d)};
        SetBkColor(dc, RGB(0xE0, 0x40, 0x20));
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &mark, nullptr, 0, nullptr);
    }
}

void JobListDlgContainer::onKey(UINT key)
{
    const bool leftCtrl = (GetKeyState(VK_LCONTROL) & 0x8000) != 0;
    const int page = std::max(1, visibleHeight() / lineHeight());
    switch (key) {
    case VK_PRIOR:
        scrollTo(m_line - page);
        break;
    case VK_NEXT:
        scrollTo(m_line + page);
        break;
    case VK_HOME:
        scrollTo(0);
        break;
    case VK_END:
        scrollTo(INT_MAX / 2);
        break;
    case VK_UP:
        scrollTo(leftCtrl ? 0 : m_line - 1);
        break;
    case VK_DOWN:
        scrollTo(leftCtrl ? INT_MAX / 2 : m_line + 1);
        break;
    case VK_DELETE:
        deleteSelected(true);
        break;
    case 'A':
        if (leftCtrl)
            selectAll();
        break;
    case 'Z':
    case 'Y':
        if ((GetKeyState(VK_CONTROL) & 0x8000) != 0)
            undoOrRedo(key == 'Z');
        break;
    case VK_F12:
        if (AllocConsole()) {
            FILE* stream = nullptr;
            _wfreopen_s(&stream, L"CONOUT$", L"w", stdout);
            _wfreopen_s(&stream, L"CONOUT$", L"w", stderr);
            _wfreopen_s(&stream, L"CONIN$", L"r", stdin);
            _wsystem(L"set");
        }
        break;
    default:
        break;
    }
}

void JobListDlgContainer::showContextMenu(POINT screen)
{
    const joblist::ListState state = listState();
    auto gray = [](bool grayed) { return grayed ? MF_GRAYED : 0u; };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, CreateEmpty, lang_getStr(L"quillet/jobs/create-empty").c_str());
    HMENU merge = CreatePopupMenu();
    AppendMenuW(merge, MF_STRING | gray(state.withPages() < 2), MergeAll, lang_getStr(L"quillet/jobs/merge-all").c_str());
    AppendMenuW(merge, MF_STRING | gray(state.selectedWithPages() < 2), MergeSelected,
                lang_getStr(L"quillet/jobs/merge-selected").c_str());
    AppendMenuW(menu, MF_POPUP | gray(state.selectedWithPages() < 2), reinterpret_cast<UINT_PTR>(merge),
                lang_getStr(L"quillet/jobs/merge").c_str());
    HMENU remove = CreatePopupMenu();
    AppendMenuW(remove, MF_STRING | gray(state.all() == 0), DeleteAll, lang_getStr(L"quillet/jobs/delete-all").c_str());
    AppendMenuW(remove, MF_STRING | gray(state.selectedCount() == 0), DeleteSelected,
                lang_getStr(L"quillet/jobs/delete-selected").c_str());
    AppendMenuW(menu, MF_POPUP | gray(state.selectedCount() == 0), reinterpret_cast<UINT_PTR>(remove),
                lang_getStr(L"quillet/jobs/delete").c_str());
    AppendMenuW(menu, MF_STRING | gray(state.selectedCount() == state.all()), SelectAll,
                lang_getStr(L"quillet/jobs/select-all").c_str());
    AppendMenuW(menu, MF_STRING | gray(state.all() == 0), InvertSelection,
                lang_getStr(L"quillet/jobs/invert-selection").c_str());
    HMENU sort = CreatePopupMenu();
    const wchar_t* keys[] = {L"quillet/jobs/sort-ascending", L"quillet/jobs/sort-descending",
                             L"quillet/jobs/sort-natural-ascending", L"quillet/jobs/sort-natural-descending"};
    for (UINT i = 0; i < 4; ++i)
        AppendMenuW(sort, MF_STRING | gray(state.all() < 2), FirstSort + i, lang_getStr(keys[i]).c_str());
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sort), lang_getStr(L"quillet/jobs/sort").c_str());
    const UINT chosen =
        trackJobMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, screen, hwnd());
    DestroyMenu(menu);
    switch (chosen) {
    case CreateEmpty:
        command(joblist::CreateEmpty);
        break;
    case MergeAll:
        command(joblist::MergeAll);
        break;
    case MergeSelected:
        command(joblist::MergeSelected);
        break;
    case DeleteAll:
        deleteAll(true);
        break;
    case DeleteSelected:
        deleteSelected(true);
        break;
    case SelectAll:
        selectAll();
        break;
    case InvertSelection:
        invertSelection();
        break;
    default:
        if (chosen >= FirstSort && chosen < FirstSort + 4)
            sortJobs(static_cast<int>(chosen - FirstSort));
        break;
    }
}

LRESULT JobListDlgContainer::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        const RECT client = clientRect();
        {
            const PaintBuffer buffer(dc, client.right, client.bottom);
            paint(buffer.dc());
            buffer.copyTo(dc, client);
        }
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        layoutJobs();
        return 0;
    case WM_VSCROLL: {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(hwnd(), SB_VERT, &info);
        const int page = std::max(1, static_cast<int>(info.nPage));
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            scrollTo(m_line - 1);
            break;
        case SB_LINEDOWN:
            scrollTo(m_line + 1);
            break;
        case SB_PAGEUP:
            scrollTo(m_line - page);
            break;
        case SB_PAGEDOWN:
            scrollTo(m_line + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            scrollTo(info.nTrackPos);
            break;
        case SB_TOP:
            scrollTo(0);
            break;
        case SB_BOTTOM:
            scrollTo(INT_MAX / 2);
            break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL: {
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        const int step = delta > 0 ? 1 : -1;
        if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0)
            stepModes(step);
        else
            scrollTo(m_line - step); // one line per message, whatever the distance
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd());
        deselectAll();
        return 0;
    case WM_RBUTTONUP: {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd(), &at);
        showContextMenu(at);
        return 0;
    }
    case WM_KEYDOWN:
        onKey(static_cast<UINT>(wParam));
        return 0;
    case kAnnounce:
        m_announcePending = false;
        m_announcer.announce(*this);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        accessibleChanged();
        break;
    case kRemoveJob:
        if (JobDlg* window = windowOf(reinterpret_cast<const Job*>(lParam)))
            removeJobWindow(window);
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
            if (!m_accessible)
                m_accessible = std::make_unique<JobListAccessibleRoot>(*this);
            return m_accessible->answer(wParam);
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_DROPFILES: {
        HDROP drop = reinterpret_cast<HDROP>(wParam);
        const UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        std::vector<ZString> paths;
        for (UINT i = 0; i < files; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            std::vector<wchar_t> buffer(length + 1);
            DragQueryFileW(drop, i, buffer.data(), length + 1);
            paths.emplace_back(buffer.data());
        }
        DragFinish(drop);
        addDroppedFiles(paths, false);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

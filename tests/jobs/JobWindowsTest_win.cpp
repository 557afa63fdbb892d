// The job list and its job windows as a user meets them: real jobs of real
// files in real windows, input posted as the user would give it, the model
// and the windows checked afterwards, pictures left for a person to look at.
#include "base/Files.h"
#include "base/Lang.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "env/Features.h"
#include "gui/Messages.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "jobs/PopupMenu_win.h"
#include "jobs/PrintJob.h"
#include "jobs/SaveJobs.h"
#include "operations/Ghostscript.h"
#include "operations/PdfSource.h"
#include "tests/jobs/JobListTestSupport_win.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/operations/PrintDialogAnswer_win.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"
#include "tests/xhtml/WindowTestSupport_win.h"
#include "viewer/JobViewer.h"
#include "xhtml/InputBox_win.h"
#include "zpdf/Document.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <ole2.h>
#include <shlobj.h>

namespace {

ZString windowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The ids of the page sequence of a job: each page's number inside its source.
std::vector<int> sourcePages(const Job& job)
{
    std::vector<int> pages;
    for (const JobPage& p : job.pages())
        pages.push_back(p.pageNumber);
    return pages;
}

// Runs the other program's drag of files onto the point and serves our
// target's calls meanwhile; its exit code (the effect), or -1.
int dragFromAnotherProgram(POINT screen, const ZString& file)
{
    ZString commandLine = quote(besideTests(L"explorer-dragsource.exe"));
    commandLine.appendFormat(L" %d %d ", static_cast<int>(screen.x), static_cast<int>(screen.y));
    commandLine.append(quote(file));
    commandLine.c_str();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    CloseHandle(process.hThread);
    const DWORD limit = GetTickCount() + 60000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() < limit)
        pumpUntilIdle();
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    pumpUntilIdle();
    return static_cast<int>(code);
}

struct TooltipSearch {
    HWND window, found;
};

BOOL CALLBACK findTooltipOf(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TooltipSearch*>(p);
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 &&
        SendMessageW(w, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == s->window) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

// The tooltip control whose tools lie on the window (a job window with pages).
HWND tooltipOf(HWND window)
{
    TooltipSearch search = {window, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findTooltipOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class JobWindows : public JobListTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        setMessageAnswerer([this](const ZString& text, const ZString& caption, unsigned flags) {
            m_questions.push_back(text);
            m_caption = caption;
            m_flags = flags;
            return m_answer;
        });
        setJobMenuAnswerer([this](HMENU menu) {
            m_menuItems = GetMenuItemCount(menu);
            m_firstGrayed = (GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED) != 0;
            m_grayed.clear();
            m_checked = -1;
            for (int i = 0; i < m_menuItems; ++i) {
                const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                m_grayed.push_back((state & MF_GRAYED) != 0);
                if ((state & MF_CHECKED) != 0)
                    m_checked = i;
            }
            return m_menuChoice;
        });
        openList(2);
    }
    void TearDown() override
    {
        closeList();
        setJobMenuAnswerer({});
        setMessageAnswerer({});
        InterpreterTest::TearDown();
    }
    JobDlg& add(const wchar_t* name)
    {
        EXPECT_TRUE(m_list->addJobFromFile(sourcePath(L"samples/sample.pdf"), name));
        pumpUntilIdle();
        return container().window(container().count() - 1);
    }
    bool enabled(int command) { return m_list->toolbar().isButtonEnabled(command); }
    void press(int command)
    {
        m_list->send(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(m_list->toolbar().hwnd()));
        pumpUntilIdle();
    }
    // The centre of page n's element in the window.
    static POINT centreOf(JobDlg& w, int n)
    {
        const joblayout::Box b = w.layout().elementBox(n);
        return {(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    }
    void clickPage(JobDlg& w, int n, WPARAM keys = 0)
    {
        const POINT p = centreOf(w, n);
        postMouse(w.hwnd(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON | keys);
        postMouse(w.hwnd(), WM_LBUTTONUP, p.x, p.y, keys);
    }
    void clickHeader(JobDlg& w) { postClick(w.hwnd(), 5, 5); }
    std::vector<ZString> names()
    {
        std::vector<ZString> result;
        for (int i = 0; i < container().count(); ++i)
            result.push_back(container().window(i).job().name());
        return result;
    }

    std::vector<ZString> m_questions;
    ZString m_caption; // of the last question
    unsigned m_flags = 0;
    int m_answer = IDNO;
    int m_menuItems = -1;
    bool m_firstGrayed = false;
    std::vector<bool> m_grayed; // of the last menu, by position
    int m_checked = -1;
    UINT m_menuChoice = 0;
};

} // namespace

TEST_F(JobWindows, WholeJobCommandsFollowTheSelectionAndTheToolbarFollowsThem)
{
    // The empty list: the dark background and the white hint below the picture.
    const WindowPicture empty(container().hwnd());
    EXPECT_EQ(empty.pixel(2, 2), RGB(0x29, 0x29, 0x29));
    int white = 0;
    for (int y = empty.height() / 2; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            white += empty.pixel(x, y) == RGB(0xFF, 0xFF, 0xFF) ? 1 : 0;
    EXPECT_GT(white, 20);
    EXPECT_FALSE(enabled(joblist::RemoveMenu));
    EXPECT_TRUE(enabled(joblist::CreateEmpty));
    add(L"one");
    EXPECT_FALSE(enabled(joblist::Sort)); // one job: nothing to sort
    container().command(joblist::Sort);
    EXPECT_EQ(m_menuItems, 4);
    EXPECT_TRUE(m_firstGrayed);
    JobDlg& two = add(L"two");
    add(L"three");
    EXPECT_TRUE(enabled(joblist::Sort));
    EXPECT_FALSE(enabled(joblist::MoveUp));
    container().command(joblist::Sort);
    EXPECT_FALSE(m_firstGrayed);
    // The background's menu: new job, merge, delete, select all, invert, sort.
    postMouse(container().hwnd(), WM_RBUTTONUP, 870, 650);
    EXPECT_EQ(m_menuItems, 6);
    // Nothing selected: merge and delete are grayed, the rest is not.
    EXPECT_EQ(m_grayed, (std::vector<bool>{false, true, true, false, false, false}));

    // The views menu checks the stored mode; a choice is stored and taken by every window.
    press(joblist::Views);
    EXPECT_EQ(m_menuItems, 7); // page numbers, a separator, five preview sizes
    EXPECT_EQ(m_checked, 3);   // medium previews
    m_menuChoice = 8 + 1;
    press(joblist::Views);
    EXPECT_EQ(userConfig_getDword(L"JobDlgDisplayMode", 2), 1u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(container().window(i).mode(), 1);
    m_menuChoice = 8 + 2;
    press(joblist::Views);
    EXPECT_EQ(container().window(0).mode(), 2);
    m_menuChoice = 0;

    clickHeader(two);
    EXPECT_EQ(container().selectedWindows(), std::vector<JobDlg*>{&two});
    EXPECT_TRUE(enabled(joblist::MoveUp));
    EXPECT_TRUE(enabled(joblist::OpenViewer));
    // The selected job only: all its pages without a page selection, else the selected ones.
    press(joblist::RotateRight);
    for (const JobPage& p : two.job().pages())
        EXPECT_EQ(p.rotation, 90);
    EXPECT_EQ(container().window(0).job().pages().front().rotation, 0);
    two.pageSelection().pressPlain(2);
    press(joblist::RotateLeft);
    EXPECT_EQ(two.job().pages()[0].rotation, 90);
    EXPECT_EQ(two.job().pages()[1].rotation, 0);
    two.pageSelection().clear();
    // The background's menu now: delete is offered, merge still needs two.
    postMouse(container().hwnd(), WM_RBUTTONUP, 870, 650);
    EXPECT_EQ(m_grayed, (std::vector<bool>{false, true, false, false, false, false}));
    // One of three selected: the remove button asks all or selected.
    press(joblist::RemoveMenu);
    EXPECT_EQ(m_menuItems, 2);
    EXPECT_TRUE(m_questions.empty());

    press(joblist::MoveUp);
    EXPECT_EQ(names(), (std::vector<ZString>{L"two", L"one", L"three"}));
    EXPECT_FALSE(enabled(joblist::MoveUp)); // first now
    EXPECT_TRUE(enabled(joblist::MoveDown));

    // Delete asks, and No keeps the jobs.
    postKey(container().hwnd(), VK_DELETE);
    ASSERT_EQ(m_questions.size(), 1u);
    EXPECT_EQ(m_questions.back(), lang_getStr(L"quillet/jobs/~confirm-deleting-selected-jobs"));
    EXPECT_EQ(m_caption, lang_getStr(L"quillet/jobs/confirm-deleting-jobs"));
    EXPECT_EQ(m_flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(container().count(), 3);

    // None selected (a click on the background), then all: delete all is asked at once.
    postClick(container().hwnd(), 870, 650);
    EXPECT_TRUE(container().selectedWindows().empty());
    EXPECT_FALSE(enabled(joblist::MoveUp));
    m_menuItems = -1;
    press(joblist::RemoveMenu);
    EXPECT_EQ(m_menuItems, -1);
    EXPECT_EQ(m_questions.back(), lang_getStr(L"quillet/jobs/~confirm-delete-all-jobs"));
    EXPECT_EQ(m_caption, lang_getStr(L"quillet/jobs/confirm-deleting-jobs"));
    EXPECT_EQ(m_flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    container().selectAll();
    EXPECT_FALSE(enabled(joblist::MoveUp)); // several selected
    press(joblist::RemoveMenu);
    EXPECT_EQ(m_menuItems, -1);
    EXPECT_EQ(m_questions.size(), 3u);
    EXPECT_EQ(container().count(), 3);

    // Two of them with pages, both selected: merged at once, the result at the end.
    m_answer = IDYES;
    clickHeader(container().window(2)); // already selected: the selection stays
    EXPECT_EQ(container().selectedWindows().size(), 3u);
    postClick(container().hwnd(), 870, 650);
    clickHeader(container().window(2));
    press(joblist::RemoveMenu);
    m_menuChoice = joblist::DeleteSelected;
    press(joblist::RemoveMenu);
    ASSERT_EQ(names(), (std::vector<ZString>{L"two", L"one"}));
    container().selectAll();
    m_menuItems = -1;
    press(joblist::MergeMenu);
    EXPECT_EQ(m_menuItems, -1);
    ASSERT_EQ(container().count(), 1);
    EXPECT_EQ(container().window(0).job().pageCount(), 6);
    EXPECT_TRUE(container().selectedWindows().empty()); // the selection stays the user's
    EXPECT_FALSE(enabled(joblist::MergeMenu));
    EXPECT_FALSE(enabled(joblist::Sort));
    // A new empty job goes to the end, and selects nothing either.
    clickHeader(container().window(0));
    press(joblist::CreateEmpty);
    ASSERT_EQ(container().count(), 2);
    EXPECT_TRUE(container().window(1).job().isEmpty());
    EXPECT_EQ(container().selectedWindows(), std::vector<JobDlg*>{&container().window(0)});
    EXPECT_TRUE(enabled(joblist::Sort));
    // Merging all takes the empty job along: one job is left.
    add(L"four");
    postClick(container().hwnd(), 870, 650);
    press(joblist::MergeMenu);
    ASSERT_EQ(container().count(), 1);
    EXPECT_EQ(container().window(0).job().pageCount(), 9);
    // Delete all, on Yes: no window, no job and no document is left, and nothing more to remove.
    postClick(container().hwnd(), 870, 650);
    ASSERT_TRUE(container().window(0).job().isUnsaved()); // the merged job: still no save question
    const size_t asked = m_questions.size();
    press(joblist::RemoveMenu);
    EXPECT_EQ(m_questions.size(), asked + 1);
    EXPECT_EQ(container().count(), 0);
    EXPECT_EQ(m_store.jobCount(), 0);
    EXPECT_EQ(m_store.documentCount(), 0);
    EXPECT_FALSE(enabled(joblist::RemoveMenu));
}

TEST_F(JobWindows, ToolbarButtonsInTheirOrderWithMailOnlyWhenItIsOn)
{
    auto commands = [](const JobListToolbar& bar) {
        std::vector<int> ids;
        const int n = static_cast<int>(bar.send(TB_BUTTONCOUNT));
        for (int i = 0; i < n; ++i) {
            TBBUTTON b = {};
            bar.send(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
            ids.push_back(b.idCommand);
        }
        return ids;
    };
    std::vector<int> expected = {0, 1, 4, 7, 13, 14, 15, 10, 18, 22, 16, 20, 19, 21};
    if (!isFeatureOn(L"fax"))
        expected.erase(std::find(expected.begin(), expected.end(), 22));
    EXPECT_EQ(commands(m_list->toolbar()), expected);
    EXPECT_EQ(static_cast<DWORD>(m_list->toolbar().send(TB_GETBUTTONSIZE)), static_cast<DWORD>(MAKELONG(38, 42)));
    NMTTDISPINFOW tip = {};
    tip.hdr.hwndFrom = m_list->toolbar().hwnd();
    tip.hdr.idFrom = joblist::RemoveMenu;
    tip.hdr.code = TTN_GETDISPINFOW;
    m_list->send(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_EQ(ZString(tip.lpszText), lang_getStr(L"quillet/jobs/tooltip/remove-all-or-selected"));

    // Mail turned off: its button is not there at all.
    userConfig_setDword(L"NoMail", 1);
    JobListDlg withoutMail(m_store);
    const bool made = withoutMail.create(m_host->hwnd());
    userConfig_setDword(L"NoMail", 0);
    ASSERT_TRUE(made);
    expected.erase(std::find(expected.begin(), expected.end(), 10));
    EXPECT_EQ(commands(withoutMail.toolbar()), expected);
}

TEST_F(JobWindows, WheelScrollsOneLineAndCtrlWheelStepsEveryWindow)
{
    // Nothing to scroll: the bar stays, disabled.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(container().hwnd(), OBJID_VSCROLL, &bar));
    EXPECT_EQ(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE),
              static_cast<DWORD>(STATE_SYSTEM_UNAVAILABLE));
    for (const wchar_t* name : {L"a", L"b", L"c"})
        add(name);
    HWND list = container().hwnd();
    // Stacked from the top with a 10 pixel gap between neighbours and none after
    // the last; the range counts 20 pixel lines of that height.
    int total = 0;
    for (int i = 0; i < 3; ++i) {
        RECT r = container().window(i).windowRect();
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.top, total) << i;
        total += r.bottom - r.top + (i < 2 ? 10 : 0);
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nMax, total / 20);
    EXPECT_EQ(static_cast<int>(info.nPage), container().clientRect().bottom / 20);
    PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), MAKELPARAM(100, 100));
    pumpUntilIdle();
    EXPECT_EQ(container().firstLine(), 1);
    PostMessageW(list, WM_KEYDOWN, VK_END, 0);
    pumpUntilIdle();
    EXPECT_GT(container().firstLine(), 1);
    PostMessageW(list, WM_KEYDOWN, VK_HOME, 0);
    pumpUntilIdle();
    EXPECT_EQ(container().firstLine(), 0);
    PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(100, 100));
    pumpUntilIdle();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(container().window(i).mode(), 3);
    // Large previews: far more than a page, which Page Down and Page Up move by.
    PostMessageW(list, WM_KEYDOWN, VK_NEXT, 0);
    pumpUntilIdle();
    EXPECT_EQ(container().firstLine(), container().clientRect().bottom / 20);
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(list, WM_KEYDOWN, VK_PRIOR, 0);
    pumpUntilIdle();
    EXPECT_EQ(container().firstLine(), 1);
    // The left Ctrl key held: Down goes to the bottom, Up to the top, A selects every job.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    pumpUntilIdle();
    const int bottom = container().firstLine();
    PostMessageW(list, WM_KEYDOWN, 'A', 0);
    PostMessageW(list, WM_KEYDOWN, VK_UP, 0);
    pumpUntilIdle();
    const int top = container().firstLine();
    keys[VK_LCONTROL] = 0;
    keys[VK_RCONTROL] = 0x80; // the right one is no such key
    SetKeyboardState(keys);
    PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    pumpUntilIdle();
    const int down = container().firstLine();
    keys[VK_CONTROL] = keys[VK_RCONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(container().selectedWindows().size(), 3u);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(down, 1);
    PostMessageW(list, WM_KEYDOWN, VK_END, 0);
    pumpUntilIdle();
    EXPECT_EQ(bottom, container().firstLine());
    EXPECT_GT(bottom, 30);
    PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(100, 100));
    PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(100, 100));
    pumpUntilIdle();
    JobDlg& first = container().window(0);
    EXPECT_EQ(first.mode(), 5);
    // Window size: as high as the visible list minus 15 pixels (96 dpi here).
    const joblayout::Box e = first.layout().elementBox(1);
    EXPECT_EQ(e.bottom - e.top, container().clientRect().bottom - 15);
    PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), MAKELPARAM(100, 100));
    pumpUntilIdle();
    EXPECT_EQ(first.mode(), 0);
}

TEST_F(JobWindows, AJobTallerThanTheViewPaintsItsLowerPagesInPlace)
{
    JobDlg& job = add(L"tall");
    container().setModes(5); // each page as high as the view: the window is three views tall
    pumpUntilIdle();
    // Scrolled so that page 2 starts 100 pixels into the view: the window
    // paints a part that begins far below its own top.
    const joblayout::Box second = job.layout().elementBox(2);
    container().scrollTo((second.top - 100) / container().lineHeight());
    clickPage(job, 2); // selected pages are filled with their own colour
    pumpUntilIdle();
    ASSERT_TRUE(job.pageSelection().isSelected(2));
    POINT origin = {0, 0}; // the job window's top left in the list
    MapWindowPoints(job.hwnd(), container().hwnd(), &origin, 1);
    ASSERT_LT(origin.y + second.top, 200);
    ASSERT_GT(origin.y + second.top, 20);
    const WindowPicture picture(container().hwnd());
    // Inside each element's 6-pixel edge, left of its thumbnail.
    const int x = origin.x + second.left + 2;
    EXPECT_EQ(picture.pixel(x, origin.y + second.top + 60), RGB(0xC5, 0xDC, 0xF2)) << "page 2, selected";
    EXPECT_EQ(picture.pixel(x, origin.y + second.top - 20), RGB(0xF4, 0xF4, 0xF4)) << "the end of page 1";
}

TEST_F(JobWindows, DroppedFilesBecomeJobsAndJobDragsReorder)
{
    // The shell's simple drop: no name given, so the job gets a new job name.
    const ZString file = sourcePath(L"samples/sample.pdf");
    const size_t bytes = sizeof(DROPFILES) + (static_cast<size_t>(file.length()) + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), file.c_str(), file.length() * sizeof(wchar_t));
    GlobalUnlock(memory);
    PostMessageW(container().hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0); // the list frees it
    pumpUntilIdle();
    ASSERT_EQ(container().count(), 1);
    EXPECT_TRUE(container().window(0).job().name().startsWith(lang_getStr(L"quillet/jobs/~name-for-new-job")));

    // Another program's OLE drag: the name is the file's without its extension.
    RECT r = container().windowRect();
    EXPECT_EQ(dragFromAnotherProgram({r.left + 200, r.bottom - 50}, file), DROPEFFECT_COPY);
    ASSERT_EQ(container().count(), 2);
    EXPECT_EQ(container().window(1).job().name(), L"sample");
    EXPECT_TRUE(m_list->toolbar().isButtonEnabled(joblist::MergeMenu));

    // An internal drag of the second job window to the top.
    container().selectOnly(&container().window(1));
    const ZString moved = container().window(1).job().name();
    POINT top = {r.left + 100, r.top + 12};
    container().moveSelectedJobsTo(top);
    EXPECT_EQ(container().window(0).job().name(), moved);
}

TEST_F(JobWindows, PageClicksSelectWithTheAnchorRules)
{
    JobDlg& a = add(L"A");
    a.job().appendAllPagesOf(&add(L"B").job()); // six pages
    a.refresh();
    pumpUntilIdle();
    const PageSelection& s = a.pageSelection();
    clickPage(a, 2);
    EXPECT_EQ(s.pages(), (std::vector<int>{2}));
    EXPECT_TRUE(a.isSelected());
    clickPage(a, 5, MK_CONTROL);
    EXPECT_EQ(s.pages(), (std::vector<int>{2, 5}));
    EXPECT_EQ(s.anchor(), 5);
    clickPage(a, 3, MK_SHIFT);
    EXPECT_EQ(s.pages(), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(s.anchor(), 5);
    clickPage(a, 1);
    clickPage(a, 3, MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(s.pages(), (std::vector<int>{1, 2, 3}));
    // A plain press on a selected page keeps the selection until the release.
    const POINT p = centreOf(a, 2);
    postMouse(a.hwnd(), WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    EXPECT_EQ(s.pages().size(), 3u);
    postMouse(a.hwnd(), WM_LBUTTONUP, p.x, p.y, 0);
    EXPECT_EQ(s.pages(), (std::vector<int>{2}));
    // A press on the window outside its pages deselects the pages.
    clickHeader(a);
    EXPECT_TRUE(s.isEmpty());
}

TEST_F(JobWindows, PagesDraggedBetweenAndWithinJobsAndUndoneAgain)
{
    userConfig_setDword(L"JobDlgDisplayMode", 1);
    JobDlg& a = add(L"A");
    JobDlg& b = add(L"B");
    a.job().rotate(90, {3});
    // The picture below shows thumbnails: they are waited for.
    waitFor([&] {
        pumpUntilIdle();
        return a.job().page(1)->document->thumbMaker()->renderCount() == 3 &&
               b.job().page(1)->document->thumbMaker()->renderCount() == 3;
    }, 30000);
    // Pages 3 and 2 picked in that order, dragged between B's pages 1 and 2.
    clickPage(a, 3);
    clickPage(a, 2, MK_CONTROL);
    const POINT from = centreOf(a, 2);
    POINT to = centreOf(b, 2);
    to.x -= (b.layout().elementBox(2).right - b.layout().elementBox(2).left) / 2 - 2;
    MapWindowPoints(b.hwnd(), a.hwnd(), &to, 1);
    postMouse(a.hwnd(), WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    postMouse(a.hwnd(), WM_MOUSEMOVE, from.x + 20, from.y + 20, MK_LBUTTON);
    postMouse(a.hwnd(), WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    UpdateWindow(m_host->hwnd());
    WindowPicture(m_host->hwnd()).savePng(picturePath(L"job-windows-page-drag.png"));
    postMouse(a.hwnd(), WM_LBUTTONUP, to.x, to.y, 0);
    EXPECT_EQ(sourcePages(a.job()), (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(sourcePages(b.job()), (std::vector<int>{1, 3, 2, 2, 3}));
    EXPECT_EQ(b.job().rotation(2), 90);

    // The composed result has those pages in that order.
    const ZString text = m_scratch.file(L"b.txt");
    ASSERT_TRUE(exportJobText(b.job(), text, nullptr));
    const std::string extracted = readFileBytes(text);
    size_t at = 0;
    for (int page : {1, 3, 2, 2, 3}) {
        const size_t found = extracted.find("page " + std::to_string(page), at);
        ASSERT_NE(found, std::string::npos) << page;
        at = found + 1;
    }
    // Saved as PDF, the copied page keeps its turn; the others have none.
    const ZString saved = m_scratch.file(L"b.pdf");
    ASSERT_TRUE(saveJobWithFormat(b.job(), L"pdf", saved, {{L"pdfMode", L"copy"}}));
    zpdf::Document out(saved);
    ASSERT_EQ(out.getPageCount(), 5);
    for (int index = 0; index < 5; ++index) {
        const auto rotate = out.getPage(index)->dict()->getNumber(zpdf::kRotate);
        EXPECT_EQ(rotate ? rotate->intValue() : 0, index == 1 ? 90 : 0) << index;
    }

    // Within A: page 1 moved behind page 3.
    clickPage(a, 1);
    const POINT first = centreOf(a, 1);
    const joblayout::Box third = a.layout().elementBox(3);
    postMouse(a.hwnd(), WM_LBUTTONDOWN, first.x, first.y, MK_LBUTTON);
    postMouse(a.hwnd(), WM_MOUSEMOVE, third.right - 5, first.y, MK_LBUTTON);
    postMouse(a.hwnd(), WM_LBUTTONUP, third.right - 5, first.y, 0);
    EXPECT_EQ(sourcePages(a.job()), (std::vector<int>{2, 3, 1}));

    // Undo and redo give back the exact page lists.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    postKey(container().hwnd(), 'Z');
    EXPECT_EQ(sourcePages(a.job()), (std::vector<int>{1, 2, 3}));
    postKey(container().hwnd(), 'Z');
    EXPECT_EQ(sourcePages(b.job()), (std::vector<int>{1, 2, 3}));
    postKey(container().hwnd(), 'Y');
    EXPECT_EQ(sourcePages(b.job()), (std::vector<int>{1, 3, 2, 2, 3}));
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(JobWindows, AMergeIsUndoneIntoTheWindowsItCameFromAndRedoneAgain)
{
    JobDlg& a = add(L"A");
    add(L"B");
    JobDlg& c = add(L"C");
    a.job().deletePages({1});
    c.job().rotate(180, {3});
    c.job().setUnsaved(false); // as after a save
    // A and C selected and merged; B stays in front of the merged job.
    clickHeader(a);
    postMouse(c.hwnd(), WM_LBUTTONDOWN, 5, 5, MK_LBUTTON | MK_CONTROL);
    postMouse(c.hwnd(), WM_LBUTTONUP, 5, 5, MK_CONTROL);
    ASSERT_EQ(container().selectedWindows().size(), 2u);
    m_menuChoice = joblist::MergeSelected;
    press(joblist::MergeMenu);
    m_menuChoice = 0;
    ASSERT_EQ(container().count(), 2);
    const ZString merged = container().window(1).job().name();
    EXPECT_EQ(sourcePages(container().window(1).job()), (std::vector<int>{2, 3, 1, 2, 3}));

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    SetKeyboardState(keys);
    postKey(container().hwnd(), 'Z');
    ASSERT_EQ(names(), (std::vector<ZString>{L"A", L"B", L"C"}));
    const Job& first = container().window(0).job();
    const Job& third = container().window(2).job();
    EXPECT_EQ(sourcePages(first), (std::vector<int>{2, 3}));
    EXPECT_TRUE(first.isUnsaved());
    EXPECT_EQ(third.rotation(3), 180);
    EXPECT_FALSE(third.isUnsaved());
    EXPECT_TRUE(container().window(2).headerText().startsWith(L" C"));
    EXPECT_EQ(m_store.jobCount(), 3);

    postKey(container().hwnd(), 'Y');
    EXPECT_EQ(names(), (std::vector<ZString>{L"B", merged}));
    EXPECT_EQ(sourcePages(container().window(1).job()), (std::vector<int>{2, 3, 1, 2, 3}));
    EXPECT_EQ(container().window(1).job().rotation(5), 180);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(JobWindows, JobCommandsOnOneWindow)
{
    JobDlg& a = add(L"Report");
    EXPECT_EQ(a.headerText(), L" Report " + ZString(lang_getStr(L"quillet/job/~page-count")).replaceAll(L"{PAGE_COUNT}", L"3"));
    // Rotating with no page selected turns every page; undone, it is back.
    a.command(16);
    EXPECT_EQ(a.job().rotation(1), 90);
    EXPECT_EQ(a.job().rotation(3), 90);
    EXPECT_TRUE(a.headerText().startsWith(L" *Report"));
    m_store.undo();
    EXPECT_EQ(a.job().rotation(2), 0);

    // Rename asks in the input box: a cancelled or empty name changes nothing;
    // an entered name keeps the unsaved flag and is undone like any edit.
    auto rename = [&](const wchar_t* typed, const wchar_t* buttonKey) {
        ZString caption, prompt, preset;
        WhenShown answer(xhtml::InputBox::kClassName, [&](HWND box) {
            caption = windowText(box);
            preset = windowText(GetDlgItem(box, xhtml::InputBox::EditId));
            prompt = windowText(FindWindowExW(box, nullptr, L"Static", nullptr));
            SetWindowTextW(GetDlgItem(box, xhtml::InputBox::EditId), typed);
            SendMessageW(buttonLabelled(box, lang_getStr(buttonKey)).window, BM_CLICK, 0, 0);
        });
        a.command(4);
        EXPECT_TRUE(answer.ran());
        EXPECT_EQ(caption, lang_getStr(L"quillet/job/change-name"));
        EXPECT_EQ(prompt, lang_getStr(L"quillet/job/~change-name-info"));
        return preset;
    };
    EXPECT_EQ(rename(L"ignored", L"inputBox/cancel"), L"Report");
    EXPECT_EQ(a.job().name(), L"Report");
    rename(L"", L"inputBox/ok");
    EXPECT_EQ(a.job().name(), L"Report");
    const bool unsaved = a.job().isUnsaved();
    EXPECT_EQ(rename(L"Renamed", L"inputBox/ok"), L"Report");
    EXPECT_EQ(a.job().name(), L"Renamed");
    EXPECT_EQ(a.job().isUnsaved(), unsaved);
    EXPECT_TRUE(a.headerText().startsWith(L" *Renamed"));
    m_store.undo();
    EXPECT_EQ(a.job().name(), L"Report");
    m_store.redo();
    EXPECT_EQ(a.job().name(), L"Renamed");

    // The page menu by the right button: the page under it becomes the selection and goes.
    m_menuChoice = 1;
    const POINT second = centreOf(a, 2);
    postMouse(a.hwnd(), WM_RBUTTONDOWN, second.x, second.y, MK_RBUTTON);
    postMouse(a.hwnd(), WM_RBUTTONUP, second.x, second.y, 0);
    EXPECT_EQ(m_menuItems, 5);
    EXPECT_EQ(sourcePages(a.job()), (std::vector<int>{1, 3}));
    m_store.undo();
    EXPECT_EQ(sourcePages(a.job()), (std::vector<int>{1, 2, 3}));
    m_menuChoice = 0;

    // Insert blank page after the last page: a page of the last page's size at the end.
    a.pageCommand(10, 3);
    ASSERT_EQ(a.job().pageCount(), 4);
    const JobPage blank = *a.job().page(4);
    EXPECT_NE(blank.document, a.job().page(3)->document);

    // Saving leaves only the leading space before the name.
    ASSERT_TRUE(saveJob(a.job(), m_scratch.file(L"saved.pdf"), nullptr));
    a.refresh();
    EXPECT_TRUE(a.headerText().startsWith(L" Renamed"));
    WindowPicture(m_host->hwnd()).savePng(picturePath(L"job-windows-one-job.png"));

    // Deleting the job from its own menu: the window goes once its message is done.
    a.command(1);
    pumpUntilIdle();
    EXPECT_EQ(container().count(), 0);
    EXPECT_EQ(m_store.jobCount(), 0);
}

TEST_F(JobWindows, EachPageInViewHasATooltipNamingItAndItsSource)
{
    userConfig_setDword(L"JobDlgDisplayMode", 0); // small elements: every page in view
    JobDlg& a = add(L"A");
    JobDlg& b = add(L"B");
    b.job().insertPagesFrom(&a.job(), 0, {2});
    b.refresh();
    b.pageCommand(10, 4); // a blank page at the end: a source without a name
    HWND tip = tooltipOf(b.hwnd());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 5);
    auto text = [](const wchar_t* key, int page, const wchar_t* file = L"") {
        return ZString(lang_getStr(key)).replaceAll(L"{PAGE_NUMBER}", ZString::format(L"%d", page)).replaceAll(
            L"{FILE_NAME}", file);
    };
    auto shown = [&](int page, RECT* area = nullptr) {
        wchar_t buffer[512] = {};
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = b.hwnd();
        tool.uId = static_cast<UINT_PTR>(page);
        tool.lpszText = buffer;
        SendMessageW(tip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
        if (area != nullptr && SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)))
            *area = tool.rect;
        return ZString(buffer);
    };
    const wchar_t* info = L"quillet/job/page/~info";
    const wchar_t* extra = L"quillet/job/page/~info-extra";
    RECT area = {};
    EXPECT_EQ(shown(1, &area), text(info, 1) + L"\n" + text(extra, 2, L"A"));
    const joblayout::Box first = b.layout().elementBox(1);
    EXPECT_EQ(area.left, first.left);
    EXPECT_EQ(area.bottom, first.bottom);
    EXPECT_EQ(shown(2), text(info, 2) + L"\n" + text(extra, 1, L"B"));
    EXPECT_EQ(shown(5), text(info, 5));

    // Fewer pages, fewer tools; the rest follow their elements.
    b.pageSelection().selectOnly(1);
    b.deleteSelectedPages();
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 4);
    EXPECT_EQ(shown(1), text(info, 1) + L"\n" + text(extra, 1, L"B"));

    // Pages far below the view have none.
    for (int i = 0; i < 30; ++i)
        b.job().appendAllPagesOf(&a.job());
    b.refresh();
    const LRESULT tools = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
    EXPECT_GT(tools, 4);
    EXPECT_LT(tools, b.job().pageCount());
}

TEST_F(JobWindows, AnEmptyJobOffersOnlyItsRemovalUntilItHasPages)
{
    container().command(joblist::CreateEmpty);
    pumpUntilIdle();
    ASSERT_EQ(container().count(), 1);
    JobDlg& w = container().window(0);
    std::vector<std::pair<UINT, bool>> entries; // command id (0 for a submenu), grayed
    setJobMenuAnswerer([&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            MENUITEMINFOW info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            if ((info.fType & MFT_SEPARATOR) == 0)
                entries.emplace_back(info.hSubMenu != nullptr ? 0u : info.wID, (info.fState & MFS_GRAYED) != 0);
        }
        return 0u;
    });
    postMouse(w.hwnd(), WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
    postMouse(w.hwnd(), WM_RBUTTONUP, 5, 5, 0);
    ASSERT_GE(entries.size(), 9u);
    for (const auto& [id, grayed] : entries)
        EXPECT_EQ(grayed, id != 1) << id;
    HWND bar = FindWindowExW(w.hwnd(), nullptr, TOOLBARCLASSNAMEW, nullptr);
    auto offered = [bar](int button) { return SendMessageW(bar, TB_ISBUTTONENABLED, button, 0) != 0; };
    EXPECT_TRUE(offered(0));
    EXPECT_FALSE(offered(1));
    EXPECT_FALSE(offered(2));

    // Commands that need pages do nothing: no box asks for a name, the view stays.
    {
        WhenShown close(xhtml::InputBox::kClassName, [](HWND box) { SendMessageW(box, WM_CLOSE, 0, 0); });
        w.command(4);
        EXPECT_FALSE(close.ran());
    }
    w.command(8 + 3);
    EXPECT_EQ(w.mode(), 2);
    container().rotateSelected(90); // the list's rotate button
    EXPECT_FALSE(m_store.history().canUndo());

    // With pages, print and save as are offered.
    w.job().appendAllPagesOf(&add(L"pages").job());
    w.refresh();
    EXPECT_TRUE(offered(1));
    EXPECT_TRUE(offered(2));
}

TEST_F(JobWindows, AccessibleObjectsFollowTheListAndItsPages)
{
    const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    add(L"first");
    JobDlg& second = add(L"second");
    IAccessible* list = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(container().hwnd(), static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                         reinterpret_cast<void**>(&list)),
              S_OK);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    ASSERT_EQ(list->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_LIST);
    long count = 0;
    list->get_accChildCount(&count);
    EXPECT_EQ(count, 2);

    // The second job's object, then its pages as the user changes them.
    VARIANT two;
    two.vt = VT_I4;
    two.lVal = 2;
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(list->get_accChild(two, &dispatch), S_OK);
    IAccessible* job = nullptr;
    dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&job));
    dispatch->Release();
    ASSERT_NE(job, nullptr);
    auto nameOf = [&](long child) {
        VARIANT id;
        id.vt = VT_I4;
        id.lVal = child;
        BSTR name = nullptr;
        job->get_accName(id, &name);
        ZString text(name != nullptr ? name : L"");
        SysFreeString(name);
        return text;
    };
    auto selected = [&](long child) {
        VARIANT id, state;
        id.vt = VT_I4;
        id.lVal = child;
        VariantInit(&state);
        job->get_accState(id, &state);
        return (state.lVal & STATE_SYSTEM_SELECTED) != 0;
    };
    EXPECT_EQ(nameOf(CHILDID_SELF), second.headerText());
    EXPECT_EQ(nameOf(3), L"Page 3");
    clickPage(second, 3);
    EXPECT_TRUE(selected(CHILDID_SELF));
    EXPECT_TRUE(selected(3));
    EXPECT_FALSE(selected(1));
    second.deleteSelectedPages();
    long pages = 0;
    job->get_accChildCount(&pages);
    EXPECT_EQ(pages, 2);
    VARIANT gone;
    gone.vt = VT_I4;
    gone.lVal = 3;
    BSTR name = nullptr;
    EXPECT_EQ(job->get_accName(gone, &name), E_INVALIDARG);

    // A job that went away answers that it is no longer there.
    container().removeJobWindow(&second);
    EXPECT_EQ(job->get_accChildCount(&pages), CO_E_OBJNOTCONNECTED);
    job->Release();
    list->get_accChildCount(&count);
    EXPECT_EQ(count, 1);
    list->Release();
}

TEST_F(JobWindows, ADoubleClickOnAPageShowsTheJobsViewerAtThatPage)
{
    installJobViewers(m_store, m_host->hwnd());
    JobDlg& a = add(L"Viewed");
    const POINT second = centreOf(a, 2);
    // A double click as the system delivers it: press, release, double click, release.
    postMouse(a.hwnd(), WM_LBUTTONDOWN, second.x, second.y, MK_LBUTTON);
    postMouse(a.hwnd(), WM_LBUTTONUP, second.x, second.y, 0);
    postMouse(a.hwnd(), WM_LBUTTONDBLCLK, second.x, second.y, MK_LBUTTON);
    postMouse(a.hwnd(), WM_LBUTTONUP, second.x, second.y, 0);
    IJobViewer* viewer = a.job().viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isShown());
    EXPECT_EQ(viewer->currentJobPage(), 2);
    EXPECT_EQ(m_store.currentViewerJob(), &a.job());

    // While the viewer is shown, the page menu's view entry is grayed.
    bool viewGrayed = false;
    setJobMenuAnswerer([&](HMENU menu) {
        const MenuItemState view = menuItemState(menu, 2);
        viewGrayed = view.exists && view.grayed;
        return 0u;
    });
    const POINT first = centreOf(a, 1);
    postMouse(a.hwnd(), WM_RBUTTONDOWN, first.x, first.y, MK_RBUTTON);
    postMouse(a.hwnd(), WM_RBUTTONUP, first.x, first.y, 0);
    EXPECT_TRUE(viewGrayed);

    // Hidden again, the view entry shows it at the page of the menu.
    viewer->hideWindow();
    a.pageCommand(2, 3);
    ASSERT_NE(a.job().viewer(), nullptr);
    EXPECT_TRUE(a.job().viewer()->isShown());
    EXPECT_EQ(a.job().viewer()->currentJobPage(), 3);
}

TEST_F(JobWindows, PrintFromTheJobMenuPrintsTheSelectedPagesInSelectionOrder)
{
    // Page k of the file carries k squares, so the printed pages can be told apart.
    const ZString ps = m_scratch.file(L"squares.ps");
    const ZString pdf = m_scratch.file(L"squares.pdf");
    writeFileBytes(ps, squaresPostScript(4));
    psToPdf(ps, pdf, nullptr);
    ASSERT_TRUE(m_list->addJobFromFile(pdf, L"squares"));
    pumpUntilIdle();
    JobDlg& w = container().window(0);
    clickPage(w, 3);
    clickPage(w, 1, MK_CONTROL);
    ASSERT_EQ(w.pageSelection().pages(), (std::vector<int>{3, 1}));

    const ZString printed = m_scratch.file(L"printed.ps");
    setJobPrintOutputFile(printed);
    PrintDialogAnswer answer(PrintDialogAnswer::AsOffered);
    m_menuChoice = 14; // print, in the menu of the job window itself
    postMouse(w.hwnd(), WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
    postMouse(w.hwnd(), WM_RBUTTONUP, 5, 5, 0);
    m_menuChoice = 0;
    setJobPrintOutputFile({});

    ASSERT_TRUE(answer.seen);
    EXPECT_TRUE(answer.selectionChecked);
    EXPECT_EQ(squaresOnPages(printed, m_scratch.file(L"pages")), (std::vector<int>{3, 1}));
}

// What a screen reader hears from the job list: win events caught by an
// out-of-context hook while real input goes to the windows, each event's
// object looked up the way a reader does, and the tree read afterwards.
#include "base/Lang.h"
#include "base/Settings.h"
#include "gui/Messages.h"
#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "jobs/PopupMenu_win.h"
#include "tests/jobs/JobListTestSupport_win.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <ole2.h>

#include <algorithm>

namespace {

const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Heard {
    DWORD event;
    HWND window;
    LONG child;
    ZString name;   // of the event's object, looked up when it arrived
    LONG state = 0; // likewise
};
std::vector<Heard> g_heard;

VARIANT childId(LONG id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

ZString nameOf(IAccessible* object, VARIANT child)
{
    BSTR name = nullptr;
    object->get_accName(child, &name);
    ZString text(name != nullptr ? name : L"");
    SysFreeString(name);
    return text;
}

LONG stateOf(IAccessible* object, VARIANT child)
{
    VARIANT state;
    VariantInit(&state);
    object->get_accState(child, &state);
    return state.vt == VT_I4 ? state.lVal : 0;
}

// The selected children as get_accSelection reports them: none, one id, or an enumerator of ids.
std::vector<LONG> selectionOf(IAccessible* object)
{
    VARIANT v;
    VariantInit(&v);
    std::vector<LONG> ids;
    if (FAILED(object->get_accSelection(&v)))
        return {-1};
    if (v.vt == VT_I4) {
        ids.push_back(v.lVal);
    } else if (v.vt == VT_UNKNOWN) {
        IEnumVARIANT* items = nullptr;
        if (SUCCEEDED(v.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&items)))) {
            VARIANT item;
            ULONG got = 0;
            while (items->Next(1, &item, &got) == S_OK && got == 1)
                ids.push_back(item.vt == VT_I4 ? item.lVal : -1);
            items->Release();
        }
    }
    VariantClear(&v);
    return ids;
}

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_CLIENT || event < EVENT_OBJECT_CREATE || event > EVENT_OBJECT_NAMECHANGE)
        return;
    Heard h{event, window, child, ZString(), 0};
    IAccessible* found = nullptr;
    VARIANT id;
    VariantInit(&id);
    if (event != EVENT_OBJECT_DESTROY &&
        SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object), child, &found, &id)) && found) {
        h.name = nameOf(found, id);
        h.state = stateOf(found, id);
        found->Release();
    }
    g_heard.push_back(h);
}

class JobListEvents : public JobListTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        setMessageAnswerer([](const ZString&, const ZString&, unsigned) { return IDYES; });
        setJobMenuAnswerer([this](HMENU) { return m_menuChoice; });
        openList(1);
        m_hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, heard, GetCurrentProcessId(), 0,
                                 WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(m_hook, nullptr);
        g_heard.clear();
    }
    void TearDown() override
    {
        UnhookWinEvent(m_hook);
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
    // The events heard since the last call, about the list and its job windows.
    std::vector<Heard> take()
    {
        pumpUntilIdle();
        std::vector<Heard> ours;
        for (const Heard& h : g_heard)
            if (h.window == container().hwnd() || GetParent(h.window) == container().hwnd() || !IsWindow(h.window))
                ours.push_back(h);
        g_heard.clear();
        return ours;
    }
    static const Heard* find(const std::vector<Heard>& heard, DWORD event, HWND window, LONG child)
    {
        for (const Heard& h : heard)
            if (h.event == event && h.window == window && h.child == child)
                return &h;
        return nullptr;
    }
    static size_t countOf(const std::vector<Heard>& heard, DWORD event)
    {
        return static_cast<size_t>(
            std::count_if(heard.begin(), heard.end(), [&](const Heard& h) { return h.event == event; }));
    }
    void clickPage(JobDlg& w, int n, WPARAM keys = 0)
    {
        const joblayout::Box b = w.layout().elementBox(n);
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2;
        postMouse(w.hwnd(), WM_LBUTTONDOWN, x, y, MK_LBUTTON | keys);
        postMouse(w.hwnd(), WM_LBUTTONUP, x, y, keys);
    }
    void leftCtrl(bool down)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    HWINEVENTHOOK m_hook = nullptr;
    UINT m_menuChoice = 0;
};

} // namespace

TEST_F(JobListEvents, SelectionFocusNamesAndOrderAreTold)
{
    HWND list = container().hwnd();
    add(L"A");
    JobDlg& b = add(L"B");
    JobDlg& c = add(L"C");
    std::vector<Heard> heard = take();
    const Heard* made = find(heard, EVENT_OBJECT_CREATE, list, 3);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->name, c.headerText());

    // A click on B's header: B alone selected and focused, as child 2 of the list.
    postClick(b.hwnd(), 5, 5);
    heard = take();
    const Heard* selected = find(heard, EVENT_OBJECT_SELECTION, list, 2);
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->name, b.headerText());
    EXPECT_NE(selected->state & STATE_SYSTEM_SELECTED, 0);
    const Heard* focused = find(heard, EVENT_OBJECT_FOCUS, list, 2);
    ASSERT_NE(focused, nullptr);
    EXPECT_NE(focused->state & STATE_SYSTEM_FOCUSED, 0);

    // Pages: page 2 alone, then page 3 added with Ctrl; each one focused in turn.
    clickPage(b, 2);
    heard = take();
    ASSERT_NE(find(heard, EVENT_OBJECT_SELECTION, b.hwnd(), 2), nullptr);
    ASSERT_NE(find(heard, EVENT_OBJECT_FOCUS, b.hwnd(), 2), nullptr);
    EXPECT_EQ(find(heard, EVENT_OBJECT_FOCUS, b.hwnd(), 2)->name, L"Page 2");
    clickPage(b, 3, MK_CONTROL);
    heard = take();
    const Heard* added = find(heard, EVENT_OBJECT_SELECTIONADD, b.hwnd(), 3);
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added->state & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(countOf(heard, EVENT_OBJECT_SELECTIONREMOVE), 0u);
    EXPECT_NE(find(heard, EVENT_OBJECT_FOCUS, b.hwnd(), 3), nullptr);

    // The tree afterwards: the list's focus is job B, B's is page 3, both pages selected.
    IAccessible* root = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(list, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                         reinterpret_cast<void**>(&root)),
              S_OK);
    VARIANT focus;
    VariantInit(&focus);
    ASSERT_EQ(root->get_accFocus(&focus), S_OK);
    ASSERT_EQ(focus.vt, VT_DISPATCH);
    IAccessible* job = nullptr;
    focus.pdispVal->QueryInterface(kIAccessible, reinterpret_cast<void**>(&job));
    VariantClear(&focus);
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(nameOf(job, childId(CHILDID_SELF)), b.headerText());
    ASSERT_EQ(job->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, 3);
    EXPECT_EQ(stateOf(job, childId(3)) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(stateOf(job, childId(2)) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_SELECTED);
    EXPECT_EQ(stateOf(job, childId(CHILDID_SELF)) & STATE_SYSTEM_FOCUSED, 0);
    EXPECT_EQ(selectionOf(job), (std::vector<LONG>{2, 3}));
    EXPECT_EQ(selectionOf(root), (std::vector<LONG>{2}));
    job->Release();

    // Left Ctrl+A selects every job: A and C are added to the selection.
    leftCtrl(true);
    postKey(list, 'A');
    leftCtrl(false);
    heard = take();
    EXPECT_NE(find(heard, EVENT_OBJECT_SELECTIONADD, list, 1), nullptr);
    EXPECT_NE(find(heard, EVENT_OBJECT_SELECTIONADD, list, 3), nullptr);
    EXPECT_EQ(find(heard, EVENT_OBJECT_SELECTIONADD, list, 2), nullptr);
    EXPECT_EQ(selectionOf(root), (std::vector<LONG>{1, 2, 3}));

    // A click on the background: nothing selected, B's pages included.
    postClick(list, container().clientRect().right - 4, 100);
    heard = take();
    for (LONG child : {1, 2, 3})
        EXPECT_NE(find(heard, EVENT_OBJECT_SELECTIONREMOVE, list, child), nullptr) << child;
    EXPECT_NE(find(heard, EVENT_OBJECT_SELECTIONREMOVE, b.hwnd(), 2), nullptr);
    EXPECT_NE(find(heard, EVENT_OBJECT_SELECTIONREMOVE, b.hwnd(), 3), nullptr);
    EXPECT_TRUE(selectionOf(root).empty());

    // C alone, then moved up: the list is reordered.
    postClick(c.hwnd(), 5, 5);
    heard = take();
    EXPECT_NE(find(heard, EVENT_OBJECT_SELECTION, list, 3), nullptr);
    m_list->send(WM_COMMAND, MAKEWPARAM(joblist::MoveUp, BN_CLICKED), reinterpret_cast<LPARAM>(m_list->toolbar().hwnd()));
    heard = take();
    EXPECT_NE(find(heard, EVENT_OBJECT_REORDER, list, CHILDID_SELF), nullptr);
    VARIANT second = childId(2);
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(root->get_accChild(second, &dispatch), S_OK);
    dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&job));
    dispatch->Release();
    EXPECT_EQ(nameOf(job, childId(CHILDID_SELF)), c.headerText());

    // C's second page deleted from its page menu: C's pages reordered, its
    // header (unsaved, two pages) renamed.
    m_menuChoice = 1;
    const joblayout::Box page = c.layout().elementBox(2);
    postMouse(c.hwnd(), WM_RBUTTONDOWN, page.left + 5, page.top + 5, MK_RBUTTON);
    postMouse(c.hwnd(), WM_RBUTTONUP, page.left + 5, page.top + 5, 0);
    m_menuChoice = 0;
    heard = take();
    ASSERT_EQ(c.job().pageCount(), 2);
    EXPECT_NE(find(heard, EVENT_OBJECT_REORDER, c.hwnd(), CHILDID_SELF), nullptr);
    const Heard* renamed = find(heard, EVENT_OBJECT_NAMECHANGE, list, 2);
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->name, c.headerText());
    EXPECT_TRUE(renamed->name.startsWith(L" *C"));
    long pages = 0;
    job->get_accChildCount(&pages);
    EXPECT_EQ(pages, 2);
    job->Release();

    // A selected and deleted with the Delete key: child 1 goes, the rest move up.
    postClick(container().window(0).hwnd(), 5, 5);
    take();
    postKey(list, VK_DELETE);
    heard = take();
    EXPECT_NE(find(heard, EVENT_OBJECT_DESTROY, list, 1), nullptr);
    EXPECT_NE(find(heard, EVENT_OBJECT_REORDER, list, CHILDID_SELF), nullptr);
    long jobs = 0;
    root->get_accChildCount(&jobs);
    EXPECT_EQ(jobs, 2);
    ASSERT_EQ(root->get_accChild(childId(1), &dispatch), S_OK);
    dispatch->QueryInterface(kIAccessible, reinterpret_cast<void**>(&job));
    dispatch->Release();
    EXPECT_EQ(nameOf(job, childId(CHILDID_SELF)), c.headerText());
    job->Release();

    // Both merged: the two go, the merged job comes as the only child.
    leftCtrl(true);
    postKey(list, 'A');
    leftCtrl(false);
    take();
    m_list->send(WM_COMMAND, MAKEWPARAM(joblist::MergeMenu, BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_list->toolbar().hwnd()));
    heard = take();
    ASSERT_EQ(container().count(), 1);
    EXPECT_NE(find(heard, EVENT_OBJECT_DESTROY, list, 1), nullptr);
    EXPECT_NE(find(heard, EVENT_OBJECT_DESTROY, list, 2), nullptr);
    const Heard* merged = find(heard, EVENT_OBJECT_CREATE, list, 1);
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(merged->name, container().window(0).headerText());
    EXPECT_EQ(merged->state & STATE_SYSTEM_SELECTED, 0); // a merge leaves the selection alone
    root->Release();
}

// The window object layer: which procedure a message reaches, listeners and
// filters, the modal loop, what toolbars and tooltips are told, dialog items.
#include "gui/BaseDialog.h"
#include "gui/BaseToolbar.h"
#include "gui/BaseTooltip.h"
#include "gui/BaseWindow.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const wchar_t* const kClass = L"QuilletTestWindow";

// Answers WM_APP with 42 and counts what reaches it.
class AnsweringWindow : public BaseWindow {
public:
    bool make(HWND owner = nullptr, DWORD style = WS_POPUP)
    {
        registerClass(kClass, GetModuleHandleW(nullptr));
        return create(0, kClass, L"answering", style, 10, 10, 200, 100, owner, nullptr, GetModuleHandleW(nullptr));
    }
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            ++seen;
            return 42;
        }
        return BaseWindow::windowProcedure(message, wParam, lParam);
    }
    int seen = 0;
};

class Recorder : public BaseWindow::IMessageListener {
public:
    explicit Recorder(UINT watched, bool leaveOnFirst = false) : m_watched(watched), m_leave(leaveOnFirst) {}
    void onMessage(BaseWindow& window, UINT message, WPARAM, LPARAM) override
    {
        if (message != m_watched)
            return;
        ++count;
        if (m_leave)
            window.removeMessageListener(this);
    }
    int count = 0;

private:
    UINT m_watched;
    bool m_leave;
};

class Answer7 : public BaseWindow::IMessageFilter {
public:
    LRESULT filterMessage(BaseWindow& window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return message == WM_APP ? 7 : DefWindowProcW(window.hwnd(), message, wParam, lParam);
    }
};

} // namespace

TEST(BaseWindow, MessagesReachTheObjectWhileItHoldsTheWindowAndDefWindowProcAfter)
{
    AnsweringWindow window;
    ASSERT_TRUE(window.make());
    HWND handle = window.hwnd();
    EXPECT_TRUE(window.isAdopted());
    EXPECT_EQ(SendMessageW(handle, WM_APP, 0, 0), 42);

    // Listeners hear first, one of them leaving while the set is being told; a filter answers instead.
    Recorder staying(WM_APP), leaving(WM_APP, true);
    window.addMessageListener(&staying);
    window.addMessageListener(&leaving);
    SendMessageW(handle, WM_APP, 0, 0);
    SendMessageW(handle, WM_APP, 0, 0);
    EXPECT_EQ(staying.count, 2);
    EXPECT_EQ(leaving.count, 1);
    Answer7 filter;
    window.setMessageFilter(&filter);
    EXPECT_EQ(SendMessageW(handle, WM_APP, 0, 0), 7);
    window.setMessageFilter(nullptr);
    window.removeMessageListener(&staying);

    window.releaseHandle();
    EXPECT_EQ(window.hwnd(), nullptr);
    const int before = window.seen;
    EXPECT_EQ(SendMessageW(handle, WM_APP, 0, 0), 0); // DefWindowProcW's answer
    EXPECT_EQ(window.seen, before);
    DestroyWindow(handle);
}

TEST(BaseWindow, AdoptingAControlKeepsItsProcedureForTheDefaultsAndDetachingRestoresIt)
{
    TestHostWindow host(200, 100);
    HWND edit = CreateWindowExW(0, L"Edit", L"before", WS_CHILD | WS_VISIBLE, 0, 0, 150, 24, host.hwnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        AnsweringWindow window;
        window.adopt(edit);
        EXPECT_TRUE(window.isAdopted());
        EXPECT_EQ(SendMessageW(edit, WM_APP, 0, 0), 42);
        SetWindowTextW(edit, L"after"); // handled by the edit control's own procedure
        EXPECT_EQ(window.text(), ZString(L"after"));
        window.detach();
        EXPECT_FALSE(window.isAdopted());
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_USERDATA), 0);
        window.adopt(edit);
    } // the destructor detaches too
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    EXPECT_NE(SendMessageW(edit, WM_APP, 0, 0), 42);
}

namespace {

// Checks the owner while the loop runs, then closes the window by its close box.
class CloseWhenAsked : public BaseWindow::IMessageListener {
public:
    explicit CloseWhenAsked(HWND owner) : m_owner(owner) {}
    void onMessage(BaseWindow& window, UINT message, WPARAM, LPARAM) override
    {
        if (message != WM_APP + 1)
            return;
        ownerEnabledDuringLoop = IsWindowEnabled(m_owner) != FALSE;
        PostMessageW(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    bool ownerEnabledDuringLoop = true;

private:
    HWND m_owner;
};

} // namespace

TEST(BaseWindow, AModalLoopEndsWhenItsWindowIsClosedAndGivesTheOwnerBack)
{
    TestHostWindow owner(300, 200);
    AnsweringWindow dialog;
    ASSERT_TRUE(dialog.make(owner.hwnd(), WS_OVERLAPPEDWINDOW)); // invisible: the loop shows it
    CloseWhenAsked closer(owner.hwnd());
    dialog.addMessageListener(&closer);
    dialog.post(WM_APP + 1);
    dialog.makeModal();
    EXPECT_FALSE(closer.ownerEnabledDuringLoop);
    EXPECT_EQ(dialog.hwnd(), nullptr); // destroyed by the close box
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));

    // An owner that was disabled before stays so; endModal ends the loop too.
    AnsweringWindow second;
    ASSERT_TRUE(second.make(owner.hwnd(), WS_OVERLAPPEDWINDOW));
    EnableWindow(owner.hwnd(), FALSE);
    struct Ender : BaseWindow::IMessageListener {
        void onMessage(BaseWindow& window, UINT message, WPARAM, LPARAM) override
        {
            if (message == WM_APP + 2)
                window.endModal();
        }
    } ender;
    second.addMessageListener(&ender);
    second.post(WM_APP + 2);
    second.makeModal();
    EXPECT_TRUE(IsWindow(second.hwnd()));
    EXPECT_TRUE(second.isVisible());
    EXPECT_FALSE(IsWindowEnabled(owner.hwnd()));
    EnableWindow(owner.hwnd(), TRUE);
    second.removeMessageListener(&ender);
    second.destroy();

    // A child window has no loop of its own.
    AnsweringWindow child;
    ASSERT_TRUE(child.make(owner.hwnd(), WS_CHILD));
    child.makeModal();
    EXPECT_FALSE(child.isVisible());
}

namespace {

template <typename Control> class Recording : public Control {
public:
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == TB_BUTTONSTRUCTSIZE)
            buttonRecordSize = wParam;
        if (message == TTM_ADDTOOLW)
            toolRecordSize = reinterpret_cast<const TTTOOLINFOW*>(lParam)->cbSize;
        return Control::windowProcedure(message, wParam, lParam);
    }
    size_t buttonRecordSize = 0;
    size_t toolRecordSize = 0;
};

} // namespace

// Wine takes records of any size, so what is checked is the size that is sent.
TEST(CommonControls, ToolbarsAndTooltipsAreToldTheirRecordSizes)
{
    TestHostWindow host(300, 200);
    Recording<BaseToolbar> toolbar;
    ASSERT_TRUE(toolbar.create(host.hwnd(), WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 7, GetModuleHandleW(nullptr)));
    EXPECT_EQ(toolbar.buttonRecordSize, sizeof(TBBUTTON));
    EXPECT_EQ(toolbar.addString(L"Merge"), 0);
    EXPECT_EQ(toolbar.addString(L"Sort"), 1);
    wchar_t text[16] = {};
    SendMessageW(toolbar.hwnd(), TB_GETSTRINGW, MAKEWPARAM(16, 1), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Sort");

    Recording<BaseTooltip> tooltip;
    ASSERT_TRUE(tooltip.create(host.hwnd(), 0, GetModuleHandleW(nullptr)));
    EXPECT_NE(GetWindowLongW(tooltip.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(tooltip.hwnd(), GW_OWNER), host.hwnd());
    EXPECT_TRUE(tooltip.addTool(toolbar.hwnd(), L"The toolbar"));
    EXPECT_EQ(tooltip.toolRecordSize, sizeof(TTTOOLINFOW));
    EXPECT_EQ(tooltip.toolCount(), 1);
    DestroyWindow(tooltip.hwnd());
}

TEST(BaseDialog, ItemsAreReadAndWrittenAsTextsAndSignedNumbers)
{
    BaseDialog dialog;
    ASSERT_TRUE(dialog.createFromTemplate(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100), nullptr));
    EXPECT_TRUE(dialog.isAdopted());
    dialog.setItemInt(10, -25);
    ZString text;
    EXPECT_TRUE(dialog.itemText(10, text));
    EXPECT_EQ(text, ZString(L"-25"));
    bool ok = false;
    EXPECT_EQ(dialog.itemInt(10, &ok), -25);
    EXPECT_TRUE(ok);
    SetDlgItemTextW(dialog.hwnd(), 10, L"twelve");
    dialog.itemInt(10, &ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(dialog.itemText(99, text)); // no such item
    dialog.destroy();
}

// The progress window: real dialogs on this thread, driven from the
// operation's own worker thread.
#include "base/Operation.h"
#include "base/OperationUI.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

namespace {

struct ScriptedOperation : BaseInterfaceImpl<Operation> {
    void run() override
    {
        contextAtRun = context != nullptr;
        ++runs;
        if (body)
            body();
    }
    void cancel() override
    {
        cancelled = true;
        SetEvent(cancelEvent);
    }
    bool isCancelled() const override { return cancelled; }
    void setContext(OperationContext* c) override
    {
        context = c;
        contextChanged();
    }
    void contextChanged() override
    {
        context->setMessage(L"Working on it");
        context->setExpectedDuration(200);
    }

    std::function<void()> body;
    OperationContext* context = nullptr;
    bool contextAtRun = false;
    std::atomic<int> runs{0};
    std::atomic<bool> cancelled{false};
    HANDLE cancelEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~ScriptedOperation() override { CloseHandle(cancelEvent); }
};

BOOL CALLBACK findDialog(HWND window, LPARAM result)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

BOOL CALLBACK collectText(HWND child, LPARAM result)
{
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    *reinterpret_cast<std::wstring*>(result) += std::wstring(text) + L"|";
    return TRUE;
}

// The visible dialog of the given thread, waited for (a guard, not a measure).
HWND progressDialog(DWORD thread)
{
    for (int i = 0; i < 6000; ++i) {
        HWND found = nullptr;
        EnumThreadWindows(thread, findDialog, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr)
            return found;
        Sleep(10);
    }
    return nullptr;
}

std::wstring childTexts(HWND dialog)
{
    std::wstring texts;
    EnumChildWindows(dialog, collectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

} // namespace

TEST(ProgressWindow, AnOperationThatEndsAtOnceNeedsNoOwner)
{
    ScriptedOperation operation;
    EXPECT_TRUE(operationUI_do(operation, nullptr, false));
    EXPECT_EQ(operation.runs, 1);
    EXPECT_TRUE(operation.contextAtRun) << "the context arrives before run";
}

TEST(ProgressWindow, IsModalForItsOwnerAndShowsTheMessage)
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    const DWORD gui = GetCurrentThreadId();
    HWND dialogOwner = nullptr;
    bool ownerEnabled = true;
    std::wstring texts;
    ScriptedOperation operation;
    operation.body = [&] {
        HWND dialog = progressDialog(gui);
        dialogOwner = GetWindow(dialog, GW_OWNER);
        ownerEnabled = IsWindowEnabled(owner);
        texts = childTexts(dialog);
    };
    EXPECT_TRUE(operationUI_do(operation, owner, false));
    EXPECT_EQ(dialogOwner, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_NE(texts.find(L"Working on it|"), std::wstring::npos);
    EXPECT_NE(texts.find(L"Cancel|"), std::wstring::npos);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(ProgressWindow, CancelCancelsTheRunningOperation)
{
    const DWORD gui = GetCurrentThreadId();
    ScriptedOperation operation;
    operation.body = [&] {
        HWND cancel = GetDlgItem(progressDialog(gui), IDCANCEL);
        PostMessageW(cancel, BM_CLICK, 0, 0);
        WaitForSingleObject(operation.cancelEvent, 60000);
    };
    EXPECT_FALSE(operationUI_do(operation, nullptr, false));
    EXPECT_TRUE(operation.cancelled);
    EXPECT_EQ(operation.runs, 1);
}

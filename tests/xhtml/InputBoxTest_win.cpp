#include "tests/xhtml/WindowTestSupport_win.h"
#include "xhtml/InputBox_win.h"

#include <gtest/gtest.h>

using xhtml::InputBox;

TEST(InputBox, OkGivesTheTypedTextCancelAndClosingGiveNone)
{
    InputBox box(nullptr, L"Rename", L"New name of the job:", L"Job 1");
    ZString preset, caption;
    WhenShown typed(InputBox::kClassName, [&](HWND w) {
        wchar_t text[128] = {};
        GetWindowTextW(GetDlgItem(w, InputBox::EditId), text, 128);
        preset = text;
        GetWindowTextW(w, text, 128);
        caption = text;
        SetWindowTextW(GetDlgItem(w, InputBox::EditId), L"Quarterly report");
        SendMessageW(buttonLabelled(w, L"OK").window, BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(box.show());
    EXPECT_EQ(preset, L"Job 1");
    EXPECT_EQ(caption, L"Rename");
    EXPECT_EQ(box.text(), L"Quarterly report");

    InputBox cancelled(nullptr, L"Rename", L"New name:", L"Job 2");
    WhenShown cancel(InputBox::kClassName, [](HWND w) {
        SetWindowTextW(GetDlgItem(w, InputBox::EditId), L"ignored");
        SendMessageW(buttonLabelled(w, L"Cancel").window, BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(cancelled.show());
    EXPECT_TRUE(cancelled.text().isEmpty());

    InputBox closed(nullptr, L"Rename", L"New name:", L"Job 3");
    WhenShown close(InputBox::kClassName, [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(closed.show());
}

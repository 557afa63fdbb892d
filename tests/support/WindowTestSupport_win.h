// What window tests share: a plain top-level window to hold the windows under
// test, message pumping, input posted to a child at a point, menu item states
// and pictures of windows (pixels to check, PNG files to look at).
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// A visible top-level window of a class of its own at (x, y), destroyed with the holder.
class TestHostWindow {
public:
    TestHostWindow(int width, int height, int x = 40, int y = 40);
    ~TestHostWindow();
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;
    HWND hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Dispatches this thread's messages until none is left (posted ones included);
// true when the quit message was among them (it is taken off the queue).
bool pumpUntilIdle();

// Mouse input at a point of the window's client area, posted and then pumped.
void postMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);
void postClick(HWND window, int x, int y);
// Button down at from, moves to to, button up there.
void postDrag(HWND window, POINT from, POINT to);
void postKey(HWND window, UINT virtualKey);

struct MenuItemState {
    bool exists = false;
    bool grayed = false;
    bool checked = false;
    bool ownerDrawn = false;
    ZString text;
};
// The item (by command id, searching submenus) as it is now.
MenuItemState menuItemState(HMENU menu, UINT id);
// The direct submenu of the item with that id; null when there is none.
HMENU submenuOf(HMENU menu, UINT id);
// Sends WM_INITMENUPOPUP for the popup, as opening it does, and returns the item's state.
MenuItemState stateAfterOpening(HWND window, HMENU popup, UINT id);

// The pixels of a window as shown on the screen (PrintWindow draws nothing
// under Wine, so they are copied from the screen).
class WindowPicture {
public:
    // The window is painted anew first unless redrawFirst is false (then the
    // picture is what the screen shows now).
    explicit WindowPicture(HWND window, bool clientOnly = true, bool redrawFirst = true);
    int width() const { return m_width; }
    int height() const { return m_height; }
    // 0x00BBGGRR, as COLORREF.
    COLORREF pixel(int x, int y) const;
    bool savePng(const ZString& path) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels; // top-down BGRA
};

// Where tests leave pictures for people to look at: "pictures" beside the test programs.
ZString picturePath(const wchar_t* name);

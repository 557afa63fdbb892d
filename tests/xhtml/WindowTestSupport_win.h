// What the window tests of the markup renderer share: acting on a modal box of
// this thread once it shows, reading its buttons, and pictures of the screen.
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <functional>
#include <vector>

// Arranges for action to run once a visible top-level window of the class
// appears on this thread (while its modal loop runs); the returned flag tells
// whether it ran. Only one such arrangement at a time.
class WhenShown {
public:
    WhenShown(const wchar_t* windowClass, std::function<void(HWND)> action);
    ~WhenShown();
    WhenShown(const WhenShown&) = delete;
    WhenShown& operator=(const WhenShown&) = delete;
    bool ran() const;
};

struct ChildButton {
    HWND window;
    ZString text;
    RECT rect; // in the parent's client coordinates
};
// The push buttons of a window, left to right.
std::vector<ChildButton> buttonsOf(HWND window);
ChildButton buttonLabelled(HWND window, const ZString& text);

// A left click at a point of the window's client area, through its messages.
void clickAt(HWND window, POINT client);

// Saves what the screen shows of the window as a PNG beside the tests; its path.
ZString saveScreenshot(HWND window, const wchar_t* name);

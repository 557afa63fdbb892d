// The message loop of a modal box that is not a dialog resource: every
// message is dispatched, keyboard navigation (Tab, Enter, Esc) goes through
// IsDialogMessage of the box, until done is set by the box's own handlers or
// WM_QUIT arrives (posted again, so that the outer loop ends too).
#pragma once

#include <windows.h>

inline void runDialogLoop(HWND box, const bool& done)
{
    MSG msg;
    while (!done) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(box, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

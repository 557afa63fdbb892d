// The hand-over between instances: a second start sends its whole command line
// to the running main window in a WM_COPYDATA message with tag 111 (UTF-16,
// zero-terminated) and waits until the first instance has processed it.
// Every program of the suite may hand files over the same way.
#pragma once

#include "base/ZString.h"

#include <windows.h>

inline const wchar_t* const kMainWindowClass = L"Tamlo_Quillet";
inline const wchar_t* const kMainWindowTitle = L"Tamlo Quillet";
inline constexpr ULONG_PTR kHandOverTag = 111;

// The running main window, any title; null when there is none.
HWND findMainWindow();

// The command line as the running instance is to get it: the files (and the
// "-dir" folder) resolved against this process's working folder, since the
// receiver has a working folder of its own; files that do not exist here are
// left out, as the receiver would leave them out.
ZString commandLineForHandOver(const ZString& commandLine);

// Sends the command line and returns when the receiver has processed it.
void handOverCommandLine(HWND window, const ZString& commandLine);

// The command line carried by a hand-over message; false for any other tag.
// The text runs to its terminating zero (never beyond the data block).
bool commandLineFromCopyData(const COPYDATASTRUCT& data, ZString& commandLine);

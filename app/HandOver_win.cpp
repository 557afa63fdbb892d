#include "app/HandOver.h"

#include "env/FileHandlerArgs.h"
#include "base/Files.h"

#include <cwchar>

HWND findMainWindow() { return FindWindowW(kMainWindowClass, nullptr); }

ZString commandLineForHandOver(const ZString& commandLine)
{
    FileHandlerArgs args;
    args.parse(commandLine, false);
    for (ZString& file : args.files)
        file = fullPath(file);
    if (!args.dir.isEmpty())
        args.dir = fullPath(args.dir);
    return args.toCommandLine();
}

void handOverCommandLine(HWND window, const ZString& commandLine)
{
    COPYDATASTRUCT data = {};
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>((commandLine.length() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(commandLine.c_str());
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

bool commandLineFromCopyData(const COPYDATASTRUCT& data, ZString& commandLine)
{
    if (data.dwData != kHandOverTag)
        return false;
    const auto* text = static_cast<const wchar_t*>(data.lpData);
    // Read up to the terminating zero, but never past the copied bytes: only
    // those reached this process.
    const size_t room = data.cbData / sizeof(wchar_t);
    commandLine = text == nullptr ? ZString() : ZString(text, static_cast<int>(wcsnlen(text, room)));
    return true;
}

// Another program that drags files, for the drop target tests: it drags the
// files named on its command line from the screen point given, with the left
// button held for a few rounds of OLE's loop, copy and move allowed; with
// -virtual only as descriptors and contents, as mail programs give attachments.
// Its exit code is the effect the target reported, or 100 when the drag did not run.
//   explorer-dragsource.exe <x> <y> [-virtual] <file>...
#include "explorer/ComPtr.h"
#include "explorer/FileDataObject_win.h"
#include "explorer/FileDrag_win.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>

namespace {

void setLeftButton(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void CALLBACK releaseLater(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int ticks = 0;
    if (++ticks % 3 == 0) {
        setLeftButton(false);
        KillTimer(nullptr, timer);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4 || FAILED(OleInitialize(nullptr)))
        return 100;
    const bool virtualOnly = ZString(argv[3]).equals(L"-virtual");
    std::vector<ZString> files;
    for (int i = virtualOnly ? 4 : 3; i < argc; ++i)
        files.emplace_back(argv[i]);
    SetCursorPos(_wtoi(argv[1]), _wtoi(argv[2]));
    DWORD effect = 0;
    {
        const ole::ComPtr<ole::FileDataObject> data(new ole::FileDataObject(files, ZString(), virtualOnly));
        setLeftButton(true);
        SetTimer(nullptr, 0, 50, releaseLater);
        effect = ole::dragFiles(data.get());
        ole::forgetLastDrag();
    }
    OleUninitialize();
    return static_cast<int>(effect);
}

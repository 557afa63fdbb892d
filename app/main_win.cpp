// Entry point of Tamlo Quillet: one instance per session; a second start hands
// its command line to the first and ends.
#include "app/App.h"
#include "env/Companions.h"
#include "app/HandOver.h"
#include "base/Files.h"
#include "gui/Dpi.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>

#include <exception>
#include <string>

namespace {

// True when this is the first instance. A second one whose first instance shows
// no window within 10 x 500 ms goes on as a first instance of its own.
bool becomeFirstInstance(const ZString& commandLine)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Tamlo-Quillet"); // held until the process ends
    if (mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (HWND window = findMainWindow()) {
            handOverCommandLine(window, commandLineForHandOver(commandLine));
            return false;
        }
        Sleep(500);
    }
    return true;
}

// Mutexes that tell the suite's other programs that this one runs; every user may open them.
void createRunningMarkers()
{
    static SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes = {};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = &descriptor;
    attributes.bInheritHandle = FALSE;
    CreateMutexW(&attributes, FALSE, L"tamloQuilletMutex");
    CreateMutexW(&attributes, FALSE, L"Global\\tamloQuilletMutex");
}

void reportStartFailure(const char* text)
{
    const std::string line = std::string(text) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

int runMessageLoop()
{
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // F12 opens the main window's console wherever the focus is inside it.
        if (msg.message == WM_KEYUP && msg.wParam == VK_F12 && msg.hwnd != nullptr) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            if (root != nullptr && root == findMainWindow())
                msg.hwnd = root;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR commandLineText, int)
{
    const ZString commandLine(commandLineText != nullptr ? commandLineText : L"");
    if (!becomeFirstInstance(commandLine))
        return 0;
    // Only one instance runs: whatever the private temporary folder holds now
    // was left by a run that crashed or was killed.
    removeLeftoverTempFiles();
    createRunningMarkers();
    enableDpiAwareness();

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    startBackgroundProgram();

    int exitCode = 1;
    {
        App app(module, commandLine);
        bool started = false;
        try {
            app.start();
            started = true;
        } catch (const std::exception& e) {
            reportStartFailure(e.what());
        }
        if (started)
            exitCode = runMessageLoop();
    }

    Gdiplus::GdiplusShutdown(gdiplusToken);
    OleUninitialize();
    CoUninitialize();
    deleteDeferredFiles();
    return exitCode;
}

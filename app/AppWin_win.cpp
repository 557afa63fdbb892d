#include "app/AppWin.h"

#include "app/CommandLine.h"
#include "app/HandOver.h"
#include "app/UiResources.h"
#include "app/WindowPlacement.h"
#include "base/Lang.h"
#include "base/Settings.h"
#include "base/Trace.h"
#include "gui/Dpi.h"
#include "gui/Messages.h"
#include "jobs/SaveJobs.h"
#include "viewer/JobViewer.h"

#include <cstdio>
#include "xhtml/UpdateNotice_win.h"

namespace {

const int kIconResource = 1100;

HICON programIcon(HINSTANCE module, int size)
{
    return static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, LR_SHARED | LR_DEFAULTCOLOR));
}

} // namespace

AppWin::AppWin(JobStore& jobs, const UiResources& resources)
    : m_resources(resources), m_jobList(jobs),
      m_splitter([this] { return m_explorer.headerHeight(); })
{
}

AppWin::~AppWin()
{
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle(); // no more messages reach this object while it goes
        if (messageOwner() == window)
            setMessageOwner(nullptr);
        DestroyWindow(window);
    }
}

bool AppWin::create(HINSTANCE module)
{
    m_module = module;
    if (!registerClass(kMainWindowClass, module, programIcon(module, GetSystemMetrics(SM_CXICON)),
                       programIcon(module, GetSystemMetrics(SM_CXSMICON))))
        return false;
    const int r = dpiOf(nullptr);
    if (!BaseWindow::create(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            scale(1000, r), scale(600, r), nullptr, nullptr, module))
        return false;
    WINDOWPLACEMENT placement = {};
    const ZString text = userConfig_getStr(L"QuilletWindowPlacement", ZString());
    if (text.isEmpty() || !parsePlacement(text, placement) || !SetWindowPlacement(hwnd(), &placement))
        ShowWindow(hwnd(), SW_SHOWMAXIMIZED);
    UpdateWindow(hwnd());
    xhtml::showUpdateNoticeIfDue(hwnd());
    return true;
}

bool AppWin::createChildren()
{
    const RECT client = clientRect();
    const int bar = BrandingBar::heightFor(dpiOf(hwnd()));
    if (!m_jobList.create(hwnd()))
        return false;
    m_jobList.setAddFile([](const ZString& path, const ZString& name) { addFile(path, name, false); });
    m_jobList.setDragImages(m_resources.imageList(1));
    if (!m_brandingBar.create(hwnd(), m_module, 0, client.bottom - bar, client.right, bar))
        return false;
    if (!m_explorer.create(hwnd(), m_module, [](const ZString& path) { addFile(path); }))
        return false;
    const int orientation = static_cast<int>(userConfig_getDword(L"QuilletOrientation", 0));
    if (!m_splitter.create(hwnd(), 0, 0, client.right, client.bottom - bar, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           orientation, m_module))
        return false;
    m_splitter.setSecond(m_jobList.hwnd());
    installJobViewers(m_jobList.store(), m_splitter.hwnd()); // the job viewers belong to the splitter
    if (userConfig_getDword(L"QuilletHasExplorer", 1) != 0)
        m_splitter.setFirst(m_explorer.hwnd());
    else
        ShowWindow(m_explorer.hwnd(), SW_HIDE);
    m_splitter.setBarColour(RGB(0xDC, 0xDC, 0xDC)); // below the painted top, the panes' edge colour
    m_splitter.setRatio(0.4);

    const HFONT font = m_resources.font(UiResources::Medium);
    SendMessageW(m_jobList.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(m_explorer.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (HMENU bar = m_menu.load(m_module))
        SetMenu(hwnd(), bar);
    setMessageOwner(hwnd());
    return true;
}

void AppWin::showExplorer(bool shown)
{
    if (shown == isExplorerShown())
        return;
    if (shown) {
        ShowWindow(m_explorer.hwnd(), SW_SHOW);
        m_splitter.setFirst(m_explorer.hwnd());
    } else {
        m_splitter.setFirst(nullptr);
        ShowWindow(m_explorer.hwnd(), SW_HIDE);
    }
    userConfig_setDword(L"QuilletHasExplorer", shown ? 1 : 0);
}

bool AppWin::isForeground() const { return hwnd() != nullptr && GetForegroundWindow() == hwnd(); }

void AppWin::bringToFront()
{
    if (hwnd() == nullptr)
        return;
    if (IsIconic(hwnd()))
        ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
}

void AppWin::layout(int width, int height)
{
    const int bar = BrandingBar::heightFor(dpiOf(hwnd()));
    m_brandingBar.move(0, height - bar, width, bar);
    m_splitter.move(0, 0, width, height - bar);
}

void AppWin::onClose()
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(hwnd(), &placement))
        userConfig_setStr(L"QuilletWindowPlacement", placementText(placement));
    if (confirmClose()) {
        m_jobList.programClosing();
        DestroyWindow(hwnd());
    }
}

bool AppWin::confirmClose()
{
    if (!m_jobList.hasUnsavedJobs())
        return true;
    switch (askConfirmation(lang_getStr(L"quillet/jobs/~confirm-save-unsaved-jobs"), MB_YESNOCANCEL)) {
    case IDYES:
        return saveJobs(m_jobList.jobsWithPages());
    case IDNO:
        return true;
    default:
        return false;
    }
}

void AppWin::openConsole()
{
    if (!AllocConsole())
        return;
    FILE* stream = nullptr;
    _wfreopen_s(&stream, L"CONOUT$", L"w", stdout);
    _wfreopen_s(&stream, L"CONOUT$", L"w", stderr);
    _wfreopen_s(&stream, L"CONIN$", L"r", stdin);
    _wsystem(L"set");
}

LRESULT AppWin::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return createChildren() ? 0 : -1;
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        if (wParam == SIZE_RESTORED) {
            const RECT r = windowRect();
            userConfig_setDword(L"QuilletWindowWidth", static_cast<uint32_t>(r.right - r.left));
            userConfig_setDword(L"QuilletWindowHeight", static_cast<uint32_t>(r.bottom - r.top));
            userConfig_setDword(L"QuilletWindowMaximized", 0);
        } else if (wParam == SIZE_MAXIMIZED) {
            userConfig_setDword(L"QuilletWindowMaximized", 1);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1; // the children cover the client area
    case WM_DPICHANGED: {
        // Moved to a monitor of another resolution: take the size the system
        // suggests and lay the children out for it.
        m_splitter.setDpi(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT client = clientRect();
        layout(client.right, client.bottom);
        return 0;
    }
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DESTROY:
        setMessageOwner(nullptr);
        PostQuitMessage(0);
        return 0;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (wParam == 0 && item->CtlType == ODT_MENU) {
            m_menu.measureItem(hwnd(), *item);
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam == 0 && item->CtlType == ODT_MENU) {
            m_menu.drawItem(*item);
            return TRUE;
        }
        break;
    }
    case WM_COPYDATA: {
        traceMark("handover"); // the moment the files arrive, for the job list benchmark
        ZString commandLine;
        if (lParam != 0 && commandLineFromCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam), commandLine))
            handleCommandLine(commandLine);
        return 1; // answered, whatever it carried
    }
    case WM_KEYUP:
        if (wParam == VK_F12) {
            openConsole();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0) {
            runCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) == 0) {
            updatePopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        }
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}

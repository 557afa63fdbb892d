#include "operations/PrintOpDlg.h"

#include "base/Lang.h"
#include "gui/Dpi.h"

#include <commctrl.h>
#include <commdlg.h>

namespace {

// Posted by the printing thread: the line changed (wParam 0), the bar moved
// (wParam 1, lParam the position), printing is over (wParam 2).
constexpr UINT kPrintingMessage = WM_APP + 17;
enum PrintingNews : WPARAM { kLineChanged, kBarMoved, kPrintingDone };

} // namespace

PrintOpDlg::PrintOpDlg(PrintOpClass& printer, const PrintChoice& choice)
    : m_printer(printer), m_choice(choice), m_thread(this)
{
}

PrintOpDlg::~PrintOpDlg()
{
    m_cancel = true;
    m_thread.join();
    if (hwnd() != nullptr && IsWindow(hwnd()))
        DestroyWindow(hwnd());
}

void PrintOpDlg::run(HWND owner)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (!createFromTemplate(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kDialogId), owner))
        return;
    layOut();
    m_printer.setProgress(this);
    if (m_thread.start())
        makeModal();
    // A loop that ended before the printing thread closed it (the quit
    // message, say) cancels the print; the thread ends before the dialog goes.
    if (m_thread.isRunning())
        m_cancel = true;
    m_thread.join();
    m_printer.setProgress(nullptr);
    DestroyWindow(hwnd());
}

void PrintOpDlg::layOut()
{
    const int dpi = dpiOf(hwnd());
    setSize(scale(344, dpi), scale(165, dpi));
    const RECT client = clientRect();
    const int width = client.right - client.left;
    const int margin = scale(12, dpi);
    const int buttonWidth = scale(88, dpi);
    const int rowTop = scale(95, dpi) + scale(8, dpi);
    MoveWindow(item(kPictureId), 0, 0, width, scale(95, dpi), TRUE);
    MoveWindow(item(kBarId), margin, rowTop, width - 3 * margin - buttonWidth, scale(25, dpi), TRUE);
    MoveWindow(item(kCancelId), width - margin - buttonWidth, rowTop, buttonWidth, scale(25, dpi), TRUE);
    SetDlgItemTextW(hwnd(), kCancelId, lang_getStr(L"general/cancel").c_str());
    SendMessageW(item(kBarId), PBM_SETRANGE32, 0, 100);
    SendMessageW(item(kBarId), PBM_SETPOS, 0, 0);
    // Centred over the owner (or the screen).
    RECT frame;
    GetWindowRect(hwnd(), &frame);
    RECT area;
    const HWND owner = GetWindow(hwnd(), GW_OWNER);
    if (owner == nullptr || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + ((area.right - area.left) - (frame.right - frame.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (frame.bottom - frame.top)) / 2;
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PrintOpDlg::run()
{
    if ((m_choice.flags & PD_PAGENUMS) != 0)
        m_printer.printRange(m_choice.dc, m_choice.from, m_choice.to);
    else if ((m_choice.flags & PD_SELECTION) != 0)
        m_printer.printSelection(m_choice.dc);
    else
        m_printer.printAll(m_choice.dc);
    PostMessageW(hwnd(), kPrintingMessage, kPrintingDone, 0);
}

// Both are called on the printing thread: the window learns of them by posted
// messages, so the printing thread never waits for the dialog.
void PrintOpDlg::setProgressLine(const ZString& text)
{
    {
        std::lock_guard<std::mutex> guard(m_lineLock);
        m_line = text;
    }
    PostMessageW(hwnd(), kPrintingMessage, kLineChanged, 0);
}

void PrintOpDlg::setProgressBar(int position)
{
    PostMessageW(hwnd(), kPrintingMessage, kBarMoved, position);
}

LRESULT PrintOpDlg::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kPrintingMessage:
        if (wParam == kLineChanged) {
            ZString line;
            {
                std::lock_guard<std::mutex> guard(m_lineLock);
                line = m_line;
            }
            SetWindowTextW(hwnd(), line.c_str());
        } else if (wParam == kBarMoved) {
            SendMessageW(item(kBarId), PBM_SETPOS, static_cast<WPARAM>(lParam), 0);
        } else if (wParam == kPrintingDone) {
            endModal();
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCancelId || LOWORD(wParam) == IDCANCEL) {
            m_cancel = true;
            EnableWindow(item(kCancelId), FALSE);
            return 0;
        }
        break;
    case WM_CLOSE:
        m_cancel = true;
        return 0;
    default:
        break;
    }
    return BaseDialog::windowProcedure(message, wParam, lParam);
}

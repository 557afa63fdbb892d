#include "xhtml/InputBox_win.h"

#include "gui/DialogLoop.h"
#include "base/Lang.h"
#include "gui/Messages.h"
#include "xhtml/Resources_win.h"

namespace xhtml {

namespace {

bool registerInputBoxClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = InputBox::kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

InputBox::InputBox(HWND owner, const ZString& caption, const ZString& prompt, const ZString& initialText)
    : m_owner(owner), m_caption(caption), m_prompt(prompt), m_text(initialText)
{
}

InputBox::~InputBox()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

bool InputBox::show()
{
    if (!registerInputBoxClass(windowProcedure)) {
        showMessage(m_owner, L"Could not register InputBox class!", lang_getStr(L"general/error"), MB_OK | MB_ICONERROR);
        return false;
    }
    const int dpi = screenResolution();
    if (m_font == nullptr)
        m_font = CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial");
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    RECT frame = {0, 0, scaled(360, dpi), scaled(130, dpi)};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT screen;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
    m_window = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, m_caption.c_str(), style,
                               screen.left + (screen.right - screen.left - width) / 2,
                               screen.top + (screen.bottom - screen.top - height) / 2, width, height, m_owner, nullptr,
                               GetModuleHandleW(nullptr), this);
    if (m_window == nullptr)
        return false;
    createControls();
    const bool ownerWasEnabled = m_owner != nullptr && IsWindowEnabled(m_owner);
    if (ownerWasEnabled)
        EnableWindow(m_owner, FALSE);
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    HWND edit = GetDlgItem(m_window, EditId);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    m_done = false;
    runDialogLoop(m_window, m_done);
    if (ownerWasEnabled)
        EnableWindow(m_owner, TRUE);
    if (m_window != nullptr)
        DestroyWindow(m_window);
    return m_confirmed;
}

void InputBox::createControls()
{
    const int dpi = screenResolution();
    auto s = [dpi](int v) { return scaled(v, dpi); };
    struct Control {
        const wchar_t* cls;
        ZString text;
        DWORD style;
        int id, x, y, w, h;
    };
    const Control controls[] = {
        {L"STATIC", m_prompt, SS_LEFT, -1, 12, 10, 336, 36},
        {L"EDIT", m_text, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, EditId, 12, 50, 336, 24},
        {L"BUTTON", lang_getStr(L"inputBox/ok"), WS_TABSTOP | BS_DEFPUSHBUTTON, OkId, 176, 90, 80, 26},
        {L"BUTTON", lang_getStr(L"inputBox/cancel"), WS_TABSTOP | BS_PUSHBUTTON, CancelId, 268, 90, 80, 26},
    };
    for (const Control& c : controls) {
        HWND control = CreateWindowExW(c.id == EditId ? WS_EX_CLIENTEDGE : 0, c.cls, c.text.c_str(),
                                       WS_CHILD | WS_VISIBLE | c.style, s(c.x), s(c.y), s(c.w), s(c.h), m_window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
                                       nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    }
}

void InputBox::finish(bool confirmed)
{
    if (confirmed) {
        HWND edit = GetDlgItem(m_window, EditId);
        const int length = GetWindowTextLengthW(edit);
        ZString text;
        text.setLength(length + 1);
        GetWindowTextW(edit, text.data(), length + 1);
        text.markUncounted();
        m_text = text;
    } else {
        m_text = ZString();
    }
    m_confirmed = confirmed;
    m_done = true;
}

LRESULT CALLBACK InputBox::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<InputBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<InputBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        self->m_done = true;
    }
    return result;
}

LRESULT InputBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == OkId || LOWORD(wParam) == CancelId) {
            finish(LOWORD(wParam) == OkId);
            return 0;
        }
        break;
    case WM_CLOSE:
        finish(false);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

} // namespace xhtml

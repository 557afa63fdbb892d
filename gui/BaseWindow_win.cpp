#include "gui/BaseWindow.h"

#include <vector>

namespace {

BaseWindow* objectOf(HWND window) { return reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// Notes the destruction of the window that runs a modal loop.
class DestroyWatch : public BaseWindow::IMessageListener {
public:
    void onMessage(BaseWindow&, UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_DESTROY)
            destroyed = true;
    }
    bool destroyed = false;
};

} // namespace

BaseWindow::~BaseWindow() { detach(); }

void BaseWindow::attachHandle(HWND window)
{
    if (m_hwnd != nullptr)
        detach();
    m_hwnd = window;
}

void BaseWindow::releaseHandle()
{
    detach();
    m_hwnd = nullptr;
}

bool BaseWindow::create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menu, HINSTANCE instance)
{
    HWND window = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu, instance, this);
    if (window == nullptr)
        return false;
    if (!isAdopted() || m_hwnd != window)
        adopt(window);
    return true;
}

bool BaseWindow::isAdopted() const { return m_hwnd != nullptr && objectOf(m_hwnd) == this; }

void BaseWindow::adopt(HWND window)
{
    if (m_hwnd != nullptr && m_hwnd != window)
        detach();
    if (isAdopted() && m_hwnd == window)
        return;
    m_hwnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == staticWindowProcedure) {
        m_previousProcedure = nullptr; // a class of our own
        return;
    }
    m_previousProcedure = current;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticWindowProcedure));
}

void BaseWindow::detach()
{
    if (m_hwnd == nullptr || !IsWindow(m_hwnd))
        return;
    if (m_previousProcedure != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProcedure));
        m_previousProcedure = nullptr;
    }
    if (objectOf(m_hwnd) == this)
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
}

LRESULT BaseWindow::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_previousProcedure != nullptr)
        return CallWindowProcW(m_previousProcedure, m_hwnd, message, wParam, lParam);
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT BaseWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_listeners.size() == 1) {
        (*m_listeners.begin())->onMessage(*this, message, wParam, lParam);
    } else if (!m_listeners.empty()) {
        // A copy, so that a listener may remove itself.
        const std::vector<IMessageListener*> listeners(m_listeners.begin(), m_listeners.end());
        for (IMessageListener* listener : listeners)
            listener->onMessage(*this, message, wParam, lParam);
    }
    if (m_filter != nullptr)
        return m_filter->filterMessage(*this, message, wParam, lParam);
    return windowProcedure(message, wParam, lParam);
}

LRESULT CALLBACK BaseWindow::staticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    BaseWindow* self = nullptr;
    if (message == WM_CREATE) {
        self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self != nullptr)
            self->adopt(window);
    } else {
        self = objectOf(window);
    }
    if (self == nullptr || self->m_hwnd != window)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The handle dies with this message; the object outlives it without one.
        self->detach();
        self->m_hwnd = nullptr;
    }
    return result;
}

bool BaseWindow::registerClass(const wchar_t* name, HINSTANCE instance, HICON icon, HICON smallIcon, HCURSOR cursor,
                               HBRUSH background, UINT style)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = staticWindowProcedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

ZString BaseWindow::text() const
{
    const int length = GetWindowTextLengthW(m_hwnd);
    if (length <= 0)
        return ZString();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int n = GetWindowTextW(m_hwnd, buffer.data(), length + 1);
    return ZString(buffer.data(), n);
}

void BaseWindow::makeModal()
{
    if (m_hwnd == nullptr || (GetWindowLongW(m_hwnd, GWL_STYLE) & WS_CHILD) != 0)
        return;
    const HWND window = m_hwnd;
    if (!IsWindowVisible(window))
        ShowWindow(window, SW_SHOW);
    const HWND owner = GetWindow(window, GW_OWNER);
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    DestroyWatch watch;
    addMessageListener(&watch);
    // Wakes the loop regularly, so that the end flag is seen without a message.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, nullptr);

    MSG msg = {};
    while (!m_endModal && !watch.destroyed && IsWindow(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // the outer loop ends too
            break;
        }
        if (got == -1)
            break;
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    KillTimer(nullptr, timer);
    removeMessageListener(&watch);
    m_endModal = false;
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
}

// The object layer over a window handle: a window is created or adopted
// (subclassed) by an object, its messages reach the object's virtual
// windowProcedure, other objects may listen to them or filter them, and a
// top-level window can run its own modal loop.
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <set>

class BaseWindow {
public:
    // Told of every message before the window handles it.
    class IMessageListener {
    public:
        virtual void onMessage(BaseWindow& window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    protected:
        ~IMessageListener() = default;
    };
    // Handles every message in place of the window's own procedure.
    class IMessageFilter {
    public:
        virtual LRESULT filterMessage(BaseWindow& window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    protected:
        ~IMessageFilter() = default;
    };

    BaseWindow() = default;
    // Detaches; the window itself is left to whoever destroys it.
    virtual ~BaseWindow();
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // Detaches when attached, then keeps the handle without adopting it.
    virtual void attachHandle(HWND window);
    // Detaches and forgets the handle.
    virtual void releaseHandle();
    // CreateWindowExW with this object as the creation parameter; adopts the
    // window unless the class's procedure (staticWindowProcedure) already did.
    virtual bool create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
    // True when a handle is set and its user data is this object.
    bool isAdopted() const;
    // Takes the window over: its user data becomes this object and its
    // procedure staticWindowProcedure, the previous one kept for the defaults.
    virtual void adopt(HWND window);
    // Puts the previous procedure back and clears the user data.
    virtual void detach();
    // The object's message handling; the default is the previous procedure, or DefWindowProcW.
    virtual LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    void addMessageListener(IMessageListener* listener) { m_listeners.insert(listener); }
    void removeMessageListener(IMessageListener* listener) { m_listeners.erase(listener); }
    void setMessageFilter(IMessageFilter* filter) { m_filter = filter; }

    // Runs a modal loop for this top-level window with its owner disabled;
    // returns when endModal was called, the window is gone or the quit message came.
    void makeModal();
    void endModal() { m_endModal = true; }

    HWND hwnd() const { return m_hwnd; }
    // The procedure of every window class of the program.
    static LRESULT CALLBACK staticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Registers a class whose procedure is staticWindowProcedure; true also when it exists.
    static bool registerClass(const wchar_t* name, HINSTANCE instance, HICON icon = nullptr, HICON smallIcon = nullptr,
                              HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW), HBRUSH background = nullptr,
                              UINT style = 0);

    // One-line wrappers of the calls of the same meaning.
    void move(int x, int y, int width, int height, bool repaint = true) const
    {
        MoveWindow(m_hwnd, x, y, width, height, repaint);
    }
    void setSize(int width, int height) const
    {
        SetWindowPos(m_hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT clientRect() const
    {
        RECT r = {};
        GetClientRect(m_hwnd, &r);
        return r;
    }
    RECT windowRect() const
    {
        RECT r = {};
        GetWindowRect(m_hwnd, &r);
        return r;
    }
    void show(int command) const { ShowWindow(m_hwnd, command); }
    bool isVisible() const { return IsWindowVisible(m_hwnd) != FALSE; }
    void enable(bool enabled) const { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }
    bool isEnabled() const { return IsWindowEnabled(m_hwnd) != FALSE; }
    void setFocus() const { SetFocus(m_hwnd); }
    void invalidate(bool erase = false) const { InvalidateRect(m_hwnd, nullptr, erase ? TRUE : FALSE); }
    void setText(const ZString& text) const { SetWindowTextW(m_hwnd, text.c_str()); }
    ZString text() const;
    HWND parent() const { return GetParent(m_hwnd); }
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageW(m_hwnd, message, wParam, lParam);
    }
    bool post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return PostMessageW(m_hwnd, message, wParam, lParam) != FALSE;
    }
    void destroy() const { DestroyWindow(m_hwnd); }

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    std::set<IMessageListener*> m_listeners;
    WNDPROC m_previousProcedure = nullptr;
    bool m_endModal = false;
    HWND m_hwnd = nullptr;
    IMessageFilter* m_filter = nullptr;
};

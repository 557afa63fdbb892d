// Our operation-progress service: a small modal dialog with the operation's
// message, a progress bar and a Cancel button. The operation runs on a worker
// thread; the dialog ends when run() returns.
#include "base/Lang.h"
#include "base/Operation.h"
#include "base/OperationUI.h"
#include "base/Thread.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>
#include <vector>

namespace {

const int kMessageId = 100;
const int kBarId = 101;
const UINT kUpdateMessage = WM_APP + 1;
const UINT kDoneMessage = WM_APP + 2;
const UINT_PTR kTimerId = 1;
const UINT kTimerMs = 100;
const int kBarRange = 1000;

// Reports from the operation's thread; the dialog reads them on its own.
class ProgressContext : public OperationContext {
public:
    void setMessage(const ZString& text) override
    {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_message = text;
        }
        notify();
    }
    void setExpectedDuration(int32_t duration) override
    {
        m_duration = duration;
        notify();
    }
    void setProgress(int32_t percent) override
    {
        m_percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
        notify();
    }

    ZString message() const
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_message;
    }
    int32_t duration() const { return m_duration; }
    int32_t percent() const { return m_percent; }
    void attach(HWND window)
    {
        m_window = window;
        notify();
    }

private:
    void notify()
    {
        if (HWND window = m_window.load())
            PostMessageW(window, kUpdateMessage, 0, 0);
    }

    mutable std::mutex m_lock;
    ZString m_message;
    std::atomic<int32_t> m_duration{0};
    std::atomic<int32_t> m_percent{-1};
    std::atomic<HWND> m_window{nullptr};
};

struct Session : Runnable {
    explicit Session(Operation& op) : operation(op) {}

    void run() override
    {
        // An operation that fails by throwing still ends the session; its
        // caller finds no result instead of the whole program going down.
        try {
            operation.run();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "operation failed: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "operation failed\n");
        }
        PostMessageW(window, kDoneMessage, 0, 0);
    }

    Operation& operation;
    ProgressContext context;
    Thread worker{this};
    HWND window = nullptr;
    DWORD startTick = 0;
    bool started = false;
    bool marquee = false;
};

// A dialog template built in memory: DLGTEMPLATE and its items, DWORD-aligned.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title)
    {
        dword(style);
        dword(0);
        m_countAt = m_words.size();
        word(0);
        word(0);
        word(0);
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(0); // no menu
        word(0); // the standard dialog class
        text(title);
        word(8);
        text(L"MS Shell Dlg");
    }

    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const wchar_t* className,
              const wchar_t* title)
    {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(id);
        if (className != nullptr) {
            text(className);
        } else {
            word(0xFFFF);
            word(atom);
        }
        text(title);
        word(0);
        ++m_words[m_countAt];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void word(WORD w) { m_words.push_back(w); }
    void dword(DWORD d)
    {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const wchar_t* s)
    {
        for (; *s != 0; ++s)
            word(static_cast<WORD>(*s));
        word(0);
    }
    void align()
    {
        if (m_words.size() % 2 != 0)
            word(0);
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

void refresh(HWND dialog, Session& session)
{
    SetDlgItemTextW(dialog, kMessageId, session.context.message().c_str());
    HWND bar = GetDlgItem(dialog, kBarId);
    const bool marquee = session.context.duration() <= 0 && session.context.percent() < 0;
    if (marquee != session.marquee) {
        const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
        SetWindowLongPtrW(bar, GWL_STYLE, marquee ? style | PBS_MARQUEE : style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
        SendMessageW(bar, PBM_SETMARQUEE, marquee ? TRUE : FALSE, 40);
        session.marquee = marquee;
    }
}

// The bar follows the elapsed time against the expected duration (hundredths
// of a second): linear to 90 %, then ever slower towards the end.
void advance(HWND dialog, const Session& session)
{
    int position;
    if (session.context.percent() >= 0) {
        position = session.context.percent() * (kBarRange / 100);
    } else if (session.context.duration() > 0) {
        const double elapsed = (GetTickCount() - session.startTick) / 10.0;
        const double share = elapsed / session.context.duration();
        position = static_cast<int>(share <= 1.0 ? 0.9 * kBarRange * share : kBarRange * (1.0 - 0.1 / share));
    } else {
        return;
    }
    SendDlgItemMessageW(dialog, kBarId, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void requestCancel(HWND dialog, Session& session)
{
    if (!session.operation.isCancelled())
        session.operation.cancel();
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Session* session = reinterpret_cast<Session*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        session = reinterpret_cast<Session*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        session->window = dialog;
        session->startTick = GetTickCount();
        SendDlgItemMessageW(dialog, kBarId, PBM_SETRANGE32, 0, kBarRange);
        session->context.attach(dialog);
        refresh(dialog, *session);
        SetTimer(dialog, kTimerId, kTimerMs, nullptr);
        session->started = session->worker.start();
        if (!session->started)
            EndDialog(dialog, 0);
        return TRUE;
    case kUpdateMessage:
        if (session != nullptr)
            refresh(dialog, *session);
        return TRUE;
    case WM_TIMER:
        if (session != nullptr && wParam == kTimerId)
            advance(dialog, *session);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDCANCEL)
            return TRUE;
        [[fallthrough]];
    case WM_CLOSE:
        if (session != nullptr)
            requestCancel(dialog, *session);
        return TRUE;
    case kDoneMessage:
        KillTimer(dialog, kTimerId);
        session->context.attach(nullptr);
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

bool operationUI_do(Operation& operation, HWND owner, bool)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    Session session(operation);
    operation.setContext(&session.context);

    DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE, 220, 64,
                          lang_getStr(L"operations/please-wait").c_str());
    dialog.item(SS_LEFT | SS_NOPREFIX, 7, 7, 206, 18, kMessageId, 0x0082, nullptr, L"");
    dialog.item(0, 7, 28, 206, 10, kBarId, 0, PROGRESS_CLASSW, L"");
    dialog.item(BS_PUSHBUTTON | WS_TABSTOP, 163, 43, 50, 14, IDCANCEL, 0x0080, nullptr,
                lang_getStr(L"general/cancel").c_str());
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, dialogProc,
                            reinterpret_cast<LPARAM>(&session));
    session.context.attach(nullptr);
    if (session.started)
        session.worker.join();
    else // no window or no thread could be made: the work is still done, without a view
        operation.run();
    return !operation.isCancelled();
}

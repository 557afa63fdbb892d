#include "web/GuiSynchronizedOp_win.h"

namespace {
constexpr UINT kHandOverMs = 50;
}

void GuiSynchronizedOp::runSynchronizedWithGui()
{
    if (m_owner == nullptr || !IsWindow(m_owner))
        return;
    if (GetWindowThreadProcessId(m_owner, nullptr) == GetCurrentThreadId()) {
        runOnGui();
        return;
    }
    m_done = false;
    if (SetTimer(m_owner, reinterpret_cast<UINT_PTR>(this), kHandOverMs, onTimer) == 0)
        return;
    while (!m_done && IsWindow(m_owner))
        Sleep(kHandOverMs);
}

void CALLBACK GuiSynchronizedOp::onTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto* op = reinterpret_cast<GuiSynchronizedOp*>(id);
    op->runOnGui();
    op->m_done = true;
}

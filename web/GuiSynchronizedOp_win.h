// Hands a result from a worker thread to the thread of a window: the worker
// sets a 50 ms timer on the window, whose identifier is the operation itself,
// and waits until the timer has run runOnGui(). On the window's own thread
// runOnGui() is called directly.
#pragma once

#include <windows.h>

#include <atomic>

class GuiSynchronizedOp {
public:
    virtual ~GuiSynchronizedOp() = default;
    virtual void runOnGui() = 0;

protected:
    explicit GuiSynchronizedOp(HWND owner) : m_owner(owner) {}
    void runSynchronizedWithGui();

private:
    static void CALLBACK onTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

    HWND m_owner;
    std::atomic<bool> m_done{false};
};

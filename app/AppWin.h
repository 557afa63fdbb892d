// The program's top-level window (class "Tamlo_Quillet", title "Tamlo Quillet").
// For now it holds the interim explorer list and job list side by side and
// receives the command lines that a second start hands over.
#pragma once

#include "app/InterimExplorerList.h"
#include "app/InterimJobs.h"

#include <windows.h>

class UiResources;

class AppWin {
public:
    AppWin(JobStore& jobs, const UiResources& resources);
    ~AppWin();
    AppWin(const AppWin&) = delete;
    AppWin& operator=(const AppWin&) = delete;

    // Registers the class, creates and shows the window; false when that fails.
    bool create(HINSTANCE module);
    HWND hwnd() const { return m_hwnd; }

    bool isForeground() const;
    // Restores a minimised window, shows it and raises it.
    void bringToFront();

    InterimExplorerList& explorerList() { return m_explorer; }
    InterimJobList& jobList() { return m_jobList; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void layout(int width, int height);

    const UiResources& m_resources;
    InterimExplorerList m_explorer;
    InterimJobList m_jobList;
    HWND m_hwnd = nullptr;
};

// The program's top-level window (class "Tamlo_Quillet", title "Tamlo Quillet"):
// the explorer and the job list in a splitter, the branding bar along the
// bottom, the menu bar, the placement kept in the user settings, the question
// before closing with unsaved jobs, and the command lines a second start hands over.
#pragma once

#include "app/BrandingBar.h"
#include "app/MainMenu.h"
#include "app/MainSplitter.h"
#include "explorer/Explorer_win.h"
#include "gui/BaseWindow.h"
#include "jobs/JobListDlg_win.h"

class UiResources;

class AppWin : public BaseWindow {
public:
    AppWin(JobStore& jobs, const UiResources& resources);
    ~AppWin() override;

    // Registers the class, creates the window and shows it as it was placed
    // last (maximized without a usable placement); false when that fails.
    bool create(HINSTANCE module);

    bool isForeground() const;
    // Restores a minimised window, shows it and raises it.
    void bringToFront();

    Explorer& explorerList() { return m_explorer; }
    JobListDlg& jobList() { return m_jobList; }
    MainSplitter& splitter() { return m_splitter; }
    HMENU menu() const { return m_menu.handle(); }
    bool isExplorerShown() const { return m_splitter.first() != nullptr; }
    // Shows or hides the explorer pane and stores the choice.
    void showExplorer(bool shown);

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool createChildren();
    void layout(int width, int height);
    void onClose();
    // True when the window may close: no unsaved jobs, or the user chose so.
    bool confirmClose();
    void runCommand(UINT id);
    void updatePopup(HMENU popup);
    void openConsole();

    HINSTANCE m_module = nullptr;
    const UiResources& m_resources;
    Explorer m_explorer;
    JobListDlg m_jobList;
    MainSplitter m_splitter;
    BrandingBar m_brandingBar;
    MainMenu m_menu;
};

// The explorer pane: the path of the shown folder, the toolbar, and a
// splitter with the folder tree (under its head) beside the file list. It
// keeps the navigation history and the shown folder across starts.
#pragma once

#include "base/ZString.h"
#include "explorer/ExplorerList_win.h"
#include "explorer/ExplorerToolbar_win.h"
#include "explorer/ExplorerTreeHead_win.h"
#include "explorer/NavigationHistory.h"
#include "gui/BaseSplitter.h"
#include "gui/BaseWindow.h"

#include <functional>

// The path bar: the shown folder's full path, one line.
class ExplorerPath : public BaseWindow {
public:
    // The id the main window's tests read the shown folder by.
    static constexpr int kControlId = 4200;
    bool create(HWND parent, HINSTANCE instance);
    void setPath(const ZString& path) const { setText(path); }
};

// The splitter between tree and list; hands the panes' notifications on.
class ExplSplitter : public BaseSplitter {
public:
    std::function<bool(NMHDR*, LRESULT&)> notify;
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class Explorer : public BaseWindow {
public:
    Explorer();
    ~Explorer() override;

    // Creates the pane and its children and shows "ExplorerLastDir" (else the
    // personal folder). openFile receives the files the user opens.
    bool create(HWND parent, HINSTANCE instance, std::function<void(const ZString&)> openFile);

    void navigate(const ZString& path, bool onlyIfChanged) { m_list.navigate(path, onlyIfChanged); }
    const ZString& currentFolder() const { return m_list.folder(); }
    void back();
    void forward();
    void up();

    bool hasSelection() const { return m_list.hasSelection(); }
    bool foldersShown() const { return m_foldersShown; }
    void setFoldersShown(bool shown);
    bool pdfOnly() const { return !m_list.filter().isEmpty(); }
    // A toolbar button or views entry (1 to 14).
    void runToolbarCommand(int id);
    // The height of the path bar and toolbar above the tree and the list.
    int headerHeight() const;

    ExplorerList& list() { return m_list; }
    ExplorerTree& tree() { return m_treePane.tree(); }
    ExplorerToolbar& toolbar() { return m_toolbar; }
    ExplSplitter& splitter() { return m_splitter; }
    NavigationHistory& history() { return m_history; }
    // Brings the toolbar's states in line with the list and history.
    void updateToolbar();

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layout();
    void onNavigated();
    void storeLastFolder() const;
    static bool isFolderPath(const ZString& path);

    NavigationHistory m_history;
    ExplorerPath m_path;
    ExplorerToolbar m_toolbar;
    ExplSplitter m_splitter;
    ExplorerTreePane m_treePane;
    ExplorerList m_list;
    bool m_foldersShown = true;
};

// The caption over the explorer's folder tree ("Folders") with a toolbar
// whose one button hides the tree, and the pane that stacks it over the tree.
#pragma once

#include "explorer/ExplorerTree_win.h"
#include "gui/BaseToolbar.h"
#include "gui/ToolbarImages.h"
#include "gui/BaseWindow.h"

#include <functional>

class ExplorerTreeHeadToolbar : public BaseToolbar {
public:
    static constexpr int kControlId = 4205;
    static constexpr int kHideFolders = 1;
    bool create(HWND parent, HINSTANCE instance);

private:
    ToolbarImages m_images;
};

class ExplorerTreeHead : public BaseWindow {
public:
    bool create(HWND parent, HINSTANCE instance);
    int height() const;
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The hide button was pressed.
    std::function<void()> hideFolders;

private:
    ExplorerTreeHeadToolbar m_toolbar;
};

// The tree's side of the explorer's splitter: the head over the tree.
class ExplorerTreePane : public BaseWindow {
public:
    bool create(HWND parent, HINSTANCE instance);
    ExplorerTree& tree() { return m_tree; }
    ExplorerTreeHead& head() { return m_head; }
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void layout();

    ExplorerTreeHead m_head;
    ExplorerTree m_tree;
};
